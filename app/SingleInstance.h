// The per-user single-instance marker "DoubleOpenChk". It is a lock the kernel
// drops when the process ends, so a crashed copy never blocks the next start.
#pragma once

#include <string>

namespace sk {

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(std::string name = "DoubleOpenChk");
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this object now holds the marker; false when another holder
    // (in this or another process) has it, or it could not be made.
    bool Acquire();
    bool Held() const { return fd_ >= 0; }

private:
    std::string name_;
    int fd_ = -1;
};

}  // namespace sk
