// The replays kept for the entries of the high-score table, and their files
// in "Replays/" beside the table: one file per kept replay, named once and
// never renamed, and a small index that ties each entry (rank, points,
// name) to its file. The index follows the table: it shifts as entries are
// inserted, drops a replay with its entry, and is written only where the
// table was written. "Replays/last.skr" is the last game, always.
#pragma once

#include "scores/HighScores.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sk {

inline constexpr const char* kReplayFolder = "Replays";
inline constexpr const char* kLastReplayFile = "Replays/last.skr";
inline constexpr const char* kReplayIndexFile = "Replays/index.txt";

struct KeptReplay {
    std::string File;                   // a file name in the folder, once written
    std::vector<std::uint8_t> Pending;  // the bytes, until the table's next save writes them
    bool Present() const { return !File.empty() || !Pending.empty(); }
};

struct ReplayIndex {
    std::array<KeptReplay, kRanks> Slots;  // index 0 is rank 1

    // As InsertHighScore: entries from k on move one rank down, the old
    // rank 10 drops out; k takes `replay` (empty: no replay).
    void Insert(int k, std::vector<std::uint8_t> replay);
    void Clear() { Slots = {}; }
};

// Ties each entry of `table` to a kept file the index names for the same
// rank, points and name (or, where the index is older than the table, for
// the same points and name); entries without one keep no replay.
void LoadReplayIndex(ReplayIndex& index, const HighScoreTable& table, const std::string& folder = kReplayFolder);

// After the table was written: writes the pending replays, then the index,
// then removes the kept files it no longer names. False (and one line on
// stderr) when something could not be written; nothing is removed then.
bool SaveReplayIndex(ReplayIndex& index, const HighScoreTable& table, const std::string& folder = kReplayFolder);

// Writes `bytes` into a new file beside `path` and renames it over `path`
// once it is complete and on disk. False, with errno set, when it failed.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Reads a regular file of at most `limit` bytes (a FIFO or device is not
// waited on). False when it cannot be read; `tooLarge` when it is larger.
bool ReadWholeFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, bool& tooLarge);

// The kept file of rank (1..10), or the pending bytes: what a list plays.
bool LoadKeptReplay(const ReplayIndex& index, int rank, std::vector<std::uint8_t>& bytes,
                    const std::string& folder = kReplayFolder);

}  // namespace sk
