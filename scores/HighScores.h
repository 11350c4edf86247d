// The ten-place high-score table, its default contents, its file and the
// rank rule. Names are kept as CP932 bytes, in memory and in the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sk {

constexpr int kRanks = 10;
constexpr const char* kHighScoreFile = "Data/Hi-Score.dat";

struct HighScoreTable {
    std::array<std::int32_t, kRanks> HiScore{};  // index 0 is rank 1
    std::array<std::string, kRanks> HiName{};    // CP932 bytes

    bool operator==(const HighScoreTable&) const = default;
};

// The built-in table.
void ResetHighScores(HighScoreTable& table);

// A real table is a few hundred bytes; reading stops after this many, as if
// the file ended there.
constexpr std::size_t kMaxHighScoreBytes = 64 * 1024;

// Fills the table from `path`, or with the default table when the file
// cannot be opened. Reads as the scan "%s %d\n" does, ten times, over at
// most the first kMaxHighScoreBytes bytes.
void LoadHighScores(HighScoreTable& table, const char* path = kHighScoreFile);

// Parses the contents of a high-score file (what LoadHighScores reads).
void ParseHighScores(HighScoreTable& table, std::string_view contents);

// What SaveHighScores did.
enum class SaveResult {
    Saved,     // the file holds the table
    ReadOnly,  // the file has no write bit for its owner: left as it was
    Failed,    // nothing was written; errno says why
};

// Writes ten lines "%s %d\n". Where the folder takes a new file, the lines
// go into one that replaces `path` only when complete, so a crash at any
// moment leaves the old table or the new one; new files left beside `path`
// by a process that was killed before it could rename its own are removed
// first. Where the folder refuses a new file but `path` itself is writable,
// the lines are written over the old ones and the file is cut to their
// length (said once on stderr): a crash in the middle of that can leave a
// damaged table, which nothing can prevent without a new file. A file
// without its owner's write bit is never written, whoever runs the game.
// Every result but Saved comes with one line on stderr.
// Each name is written as SanitizeName gives it ("Somebody" when that is
// empty), so every line reads back as the entry it came from.
SaveResult SaveHighScores(const HighScoreTable& table, const char* path = kHighScoreFile);

// The rank (1..10) a final score earns, or 0 for none.
int RankFor(const HighScoreTable& table, std::int32_t score);

// Inserts an entry at zero-based position k (0..9): the entries from k on
// move one rank down and the old rank 10 drops out. An empty name becomes
// "Somebody"; blanks and control characters are dropped from the name.
void InsertHighScore(HighScoreTable& table, int k, std::int32_t points, std::string nameCp932);

// A name without ASCII white space or control characters, and no longer
// than the 19 bytes the reader keeps, never ending inside a double-byte
// character (what the file format can carry).
std::string SanitizeName(std::string_view nameCp932);

// CP932 <-> UTF-8 (the windows show UTF-8; the table and file keep CP932).
// Characters that have no counterpart are dropped.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace sk
