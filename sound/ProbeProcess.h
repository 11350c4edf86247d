// One run of the probe program (sonobox_probe.c): a process of its own that
// tries to open an audio output on one SDL driver and answers with one line
// on a pipe. It is started with posix_spawn (no copy of this process runs
// any of its code), inherits nothing but the standard descriptors, and is
// killed and reaped when this object goes.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace sonobox {

class ProbeProcess {
public:
    // Starts `program` for `driver` ("" for SDL's own choice); null when it
    // cannot be started.
    static std::unique_ptr<ProbeProcess> Start(const std::filesystem::path& program, const std::string& driver);
    ~ProbeProcess();
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;

    // The pipe's reading end, to wait on.
    int fd() const { return fd_; }
    // Reads what has arrived; true once the answer is whole, or the probe
    // ended without one.
    bool ReadAnswer();
    // The driver that opened a device; none when it did not, or the probe
    // ended without saying.
    std::optional<std::string> opened() const;

private:
    ProbeProcess(pid_t pid, int fd) : pid_(pid), fd_(fd) {}

    pid_t pid_;
    int fd_;
    std::string received_;
    bool whole_ = false;
};

}  // namespace sonobox
