// The stage map reader on arbitrary bytes, in memory and as a stage file:
// both must read the same map, and a refused file changes nothing. (The
// background painted from a map has a fuzzer of its own.)
#include "FuzzFiles.h"

#include "game/StageFile.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

bool SameCells(const sk::StageMapCells& a, const sk::StageMapCells& b, int cols, int rows) {
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (a[r][c] != b[r][c]) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static sk::StageMapCells fromMemory{}, fromFile{};
    const auto bytes = std::span(data, size);
    std::int32_t cols = 7, rows = 9;
    const auto status = sk::ReadStageMap(bytes, cols, rows, fromMemory);
    if (status != sk::StageMapStatus::Ok && (cols != 7 || rows != 9)) std::abort();
    if (status == sk::StageMapStatus::Ok && (cols < 1 || cols > sk::kMapMax || rows < 1 || rows > sk::kMapMax))
        std::abort();

    std::int32_t fileCols = 7, fileRows = 9;
    const auto fileStatus = sk::LoadStageFile(fuzzfiles::AsFile(bytes), fileCols, fileRows, fromFile);
    // A file longer than any map is read only as far as a map can reach.
    if (size <= sk::kStageFileMaxBytes && fileStatus != status) std::abort();
    if (fileStatus == sk::StageMapStatus::Ok &&
        (fileCols != cols || fileRows != rows || !SameCells(fromMemory, fromFile, cols, rows)))
        std::abort();
    return 0;
}
