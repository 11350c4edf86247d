// Reading the stage map files: three header bytes (columns, rows, one
// unused byte), then one tile code per byte, row by row.
#pragma once

#include "game/GameState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace sk {

using StageMapCells = std::array<std::array<std::int32_t, kMapMax>, kMapMax>;

constexpr std::size_t kStageHeaderBytes = 3;
// The most bytes a stage file can hold that the reader looks at.
constexpr std::size_t kStageFileMaxBytes = kStageHeaderBytes + kMapMax * kMapMax;

enum class StageMapStatus {
    Ok,
    Missing,      // the file could not be opened
    Unreadable,   // a read error
    TooShort,     // fewer than the three header bytes
    BadSize,      // 0 or more than 99 columns or rows
};

// Reads a stage file held in memory. On Ok, `cols` and `rows` take the
// header's values and the cells the file reaches take its tile codes; cells
// it does not reach keep their values. On any other status nothing changes.
StageMapStatus ReadStageMap(std::span<const std::uint8_t> data, std::int32_t& cols, std::int32_t& rows,
                            StageMapCells& cells);

// Reads a stage file from disk as ReadStageMap reads it from memory; a
// file that cannot be opened or read (a FIFO or device is not waited on)
// changes nothing.
StageMapStatus LoadStageFile(const std::string& path, std::int32_t& cols, std::int32_t& rows, StageMapCells& cells);

// Reads up to kStageFileMaxBytes of a stage file (later bytes are never
// looked at) into `buffer`; `size` takes how many there were.
StageMapStatus ReadStageFile(const std::string& path, std::array<std::uint8_t, kStageFileMaxBytes>& buffer,
                             std::size_t& size);

// "Data/Stage<n>.dat".
std::string StageFileName(int stageNo);

// A line for the log explaining a status.
const char* StageMapStatusText(StageMapStatus status);

}  // namespace sk
