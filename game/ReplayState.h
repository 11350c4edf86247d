// What a replay carries of the game: the state a game starts from (every
// value that survives from the game before and decides its course, the
// table's points, the generator), and the check value of a running game.
#pragma once

#include "game/Replay.h"

#include <cstdint>
#include <vector>

namespace sk {

class Game;

// The game's carried state as numbers, and the generator's state.
std::vector<std::int32_t> CaptureCarriedState(const Game& game);
std::uint32_t CaptureGenerator(const Game& game);
// Puts a captured state back; false when it does not have the expected size.
bool RestoreCarriedState(Game& game, const std::vector<std::int32_t>& values, std::uint32_t generator);

// A hash of the stage, score, ship, enemies and shots: what a replay that
// parts from the recorded game changes first. Allocates nothing.
std::uint32_t StateCheck(const Game& game);

// CRC-32 of each of Data/Stage1.dat .. Stage7.dat (0 for a file that cannot be read).
std::array<std::uint32_t, kStageFiles> StageFileHashes();

}  // namespace sk
