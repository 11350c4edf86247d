#include "app/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sk {

SingleInstanceLock::SingleInstanceLock(std::string name) : name_(std::move(name)) {}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

std::string SingleInstanceLock::PathFor(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/" + name;
    const char* temp = std::getenv("TMPDIR");
    const std::string folder = temp && *temp ? temp : "/tmp";
    return folder + "/" + name + "-" + std::to_string(::getuid());
}

SingleInstanceLock::Outcome SingleInstanceLock::Acquire() {
    if (fd_ >= 0) return Outcome::Held;
    const std::string path = PathFor(name_);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Outcome::Unavailable;
    // A file that another user planted in a shared folder is not ours to
    // trust: its owner could hold it to keep the game from starting.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        ::close(fd);
        return Outcome::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Outcome::TakenByAnotherCopy : Outcome::Unavailable;
    }
    fd_ = fd;
    return Outcome::Held;
}

}  // namespace sk
