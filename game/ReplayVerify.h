// Checking a replay file without a window: whether this program can play it
// (format, rules version, stage files), and whether playing it reaches its
// end with every check value matching.
#pragma once

#include "game/Replay.h"

#include <cstdint>
#include <span>
#include <string>

namespace sk {

// The exit codes of `skarbolt --verify-replay`.
enum class ReplayVerdictCode { Matches = 0, Parted = 1, Unreadable = 2, Foreign = 3 };

struct ReplayVerdict {
    ReplayVerdictCode Code = ReplayVerdictCode::Matches;
    std::string Message;  // what went wrong; empty when it matches
    std::uint32_t Frames = 0;
};

// Decodes a file's bytes and checks that this program plays it: the same
// rules version and stage files (those of the current folder's Data/).
ReplayVerdict OpenReplay(std::span<const std::uint8_t> file, Replay& replay);

// Reads and plays `path` on a silent game of its own, as fast as it goes.
ReplayVerdict VerifyReplay(const std::string& path);

}  // namespace sk
