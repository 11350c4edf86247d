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
    const char* folder = std::getenv(kLockFolderVariable);
    if (folder && *folder) return std::string(folder) + "/" + name;
    const uid_t uid = ::getuid();
    const std::string runtime = "/run/user/" + std::to_string(uid);
    struct stat info {};
    // lstat: a link in its place is not the user's folder.
    if (::lstat(runtime.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid) return runtime + "/" + name;
    return "/tmp/" + name + "-" + std::to_string(uid);
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
