#include "sound/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace sonobox {

std::size_t MemorySource::ReadAt(std::uint64_t offset, void* dest, std::size_t count) {
    if (offset >= bytes_.size()) return 0;
    std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - offset));
    if (n > 0) std::memcpy(dest, bytes_.data() + offset, n);
    return n;
}

std::unique_ptr<FileSource> FileSource::Open(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    std::uint64_t size = std::filesystem::file_size(path, error);
    if (error) return nullptr;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return nullptr;
    return std::unique_ptr<FileSource>(new FileSource(std::move(stream), size));
}

std::size_t FileSource::ReadAt(std::uint64_t offset, void* dest, std::size_t count) {
    if (offset >= size_) return 0;
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    if (!stream_) return 0;
    stream_.read(static_cast<char*>(dest), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(stream_.gcount());
}

}  // namespace sonobox
