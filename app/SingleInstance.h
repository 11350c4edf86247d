// The per-user single-instance marker "DoubleOpenChk": an exclusive flock on
// a file of that name. Its place follows from the user id alone, so every
// start of the same user finds it, whatever the environment says: the
// user's runtime folder /run/user/<uid> where that is a folder of this user,
// else the file DoubleOpenChk-<uid> in /tmp. The kernel drops the lock when
// the process ends, so a crashed copy never blocks the next start; the lock
// holds across network namespaces (sandboxes), no other user can take it,
// and it is never inherited by a child (close-on-exec, and flock locks
// belong to the open file, which a forked child must close).
#pragma once

#include <string>

namespace sk {

// The one way to move the lock: tests and benchmarks that run copies side by
// side give each its own folder.
constexpr const char* kLockFolderVariable = "SKARBOLT_LOCK_DIR";

class SingleInstanceLock {
public:
    enum class Outcome { Held, TakenByAnotherCopy, Unavailable };

    explicit SingleInstanceLock(std::string name = "DoubleOpenChk");
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Held: this object now holds the marker. TakenByAnotherCopy: another
    // holder has it. Unavailable: no lock file could be made or trusted (no
    // writable folder, a file of another user in its place); the caller
    // should start all the same rather than refuse.
    Outcome Acquire();
    bool Held() const { return fd_ >= 0; }
    // The file descriptor behind the lock (-1 when not held), for a forked
    // child that must close it.
    int Descriptor() const { return fd_; }

    // $SKARBOLT_LOCK_DIR/<name> when that is set; else /run/user/<uid>/<name>
    // when that folder is this user's; else /tmp/<name>-<uid>.
    static std::string PathFor(const std::string& name);

private:
    std::string name_;
    int fd_ = -1;
};

}  // namespace sk
