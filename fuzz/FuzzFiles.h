// Files for the fuzzers' file-reading halves: the input as a file in memory
// (no disk traffic per run), and a scratch folder of this process.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace fuzzfiles {

// A path whose file holds exactly `bytes`; the same file is rewritten on
// every call.
inline std::string AsFile(std::span<const std::uint8_t> bytes) {
    static const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0) std::abort();
    if (!bytes.empty() && ::pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) std::abort();
    return "/proc/self/fd/" + std::to_string(fd);
}

inline std::filesystem::path& ScratchPath() {
    static std::filesystem::path path;
    return path;
}

// An empty folder of this process, in memory where the system has /dev/shm;
// removed when the process exits.
inline std::filesystem::path ScratchFolder() {
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
    const auto folder = base / ("skarbolt-fuzz-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder, error);
    std::filesystem::create_directories(folder);
    ScratchPath() = folder;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(ScratchPath(), ignored);
    });
    return folder;
}

}  // namespace fuzzfiles
