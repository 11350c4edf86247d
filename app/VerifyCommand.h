// `skarbolt --verify-replay FILE`: plays a replay without a window or a
// display, as fast as it goes, from the stage files of the folder the game
// would play from (read only: nothing is made or written, no lock taken).
// Exit 0 when it reaches its end matching every check value, 1 when it
// parts from the game (with the frame), 2 when the file is damaged, cut,
// empty, too large or not a replay, 3 when it comes from another rules
// version or other stage files. One line on stderr in every case but 0.
#pragma once

#include <string>

namespace sk {

int RunVerifyCommand(const std::string& file, const char* programPath);

}  // namespace sk
