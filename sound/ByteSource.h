// Random access to the bytes of a file or of a memory block, with 64-bit
// offsets, so the readers work the same on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>

namespace sonobox {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies up to `count` bytes from `offset`; returns how many it copied.
    virtual std::size_t ReadAt(std::uint64_t offset, void* dest, std::size_t count) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, void* dest, std::size_t count) override;

private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource final : public ByteSource {
public:
    // Null when the path is not a regular file that can be opened for reading.
    static std::unique_ptr<FileSource> Open(const std::filesystem::path& path);
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* dest, std::size_t count) override;

private:
    FileSource(std::ifstream stream, std::uint64_t size) : stream_(std::move(stream)), size_(size) {}
    std::ifstream stream_;
    std::uint64_t size_;
};

}  // namespace sonobox
