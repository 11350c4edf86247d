#include "game/StageFile.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace sk {

StageMapStatus ReadStageMap(std::span<const std::uint8_t> data, std::int32_t& cols, std::int32_t& rows,
                            StageMapCells& cells) {
    if (data.size() < kStageHeaderBytes) return StageMapStatus::TooShort;
    const int c = data[0];
    const int r = data[1];
    if (c < 1 || c > kMapMax || r < 1 || r > kMapMax) return StageMapStatus::BadSize;

    cols = c;
    rows = r;
    const std::span<const std::uint8_t> codes = data.subspan(kStageHeaderBytes);
    std::size_t next = 0;
    for (int row = 0; row < r; ++row) {
        for (int col = 0; col < c; ++col) {
            if (next == codes.size()) return StageMapStatus::Ok;  // the file ends early
            cells[row][col] = codes[next++];
        }
    }
    return StageMapStatus::Ok;
}

std::string StageFileName(int stageNo) { return "Data/Stage" + std::to_string(stageNo) + ".dat"; }

const char* StageMapStatusText(StageMapStatus status) {
    switch (status) {
    case StageMapStatus::Ok: return "read";
    case StageMapStatus::Missing: return "cannot be opened";
    case StageMapStatus::Unreadable: return "cannot be read";
    case StageMapStatus::TooShort: return "is shorter than its three header bytes";
    case StageMapStatus::BadSize: return "declares 0 or more than 99 columns or rows";
    }
    return "is unusable";
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

StageMapStatus ReadStageFile(const std::string& path, std::array<std::uint8_t, kStageFileMaxBytes>& buffer,
                             std::size_t& size) {
    // A FIFO or device in the file's place is refused rather than waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return StageMapStatus::Missing;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return StageMapStatus::Unreadable;
    }
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return StageMapStatus::Unreadable;
    }
    size = std::fread(buffer.data(), 1, buffer.size(), file.get());
    if (std::ferror(file.get())) return StageMapStatus::Unreadable;
    return StageMapStatus::Ok;
}

StageMapStatus LoadStageFile(const std::string& path, std::int32_t& cols, std::int32_t& rows, StageMapCells& cells) {
    std::array<std::uint8_t, kStageFileMaxBytes> buffer;
    std::size_t size = 0;
    const StageMapStatus status = ReadStageFile(path, buffer, size);
    if (status != StageMapStatus::Ok) return status;
    return ReadStageMap(std::span(buffer.data(), size), cols, rows, cells);
}

}  // namespace sk
