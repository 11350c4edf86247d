#include "app/SingleInstance.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/socket.h>
#include <sys/un.h>
#else
#include <sys/file.h>

#include <QDir>
#endif

namespace sk {

SingleInstanceLock::SingleInstanceLock(std::string name) : name_(std::move(name)) {}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

#if defined(__linux__)

// An abstract Unix socket "\0<name>-<uid>": its name lives as long as the
// socket, and only one socket can be bound to it.
bool SingleInstanceLock::Acquire() {
    if (fd_ >= 0) return true;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const std::string id = name_ + "-" + std::to_string(::getuid());
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t length = std::min(id.size(), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, id.data(), length);
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), size) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

#else

// Elsewhere: an exclusive flock on a per-user file; the file itself may stay.
bool SingleInstanceLock::Acquire() {
    if (fd_ >= 0) return true;
    const std::string path =
        QDir::temp().filePath(QString::fromStdString(name_ + "-" + std::to_string(::getuid()))).toStdString();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

#endif

}  // namespace sk
