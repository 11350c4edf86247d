// One JSON line describing the game after a frame.
#pragma once

#include "game/GameState.h"

#include <cstdio>

namespace driver {

void PrintFrame(std::FILE* out, int frame, const sk::GameState& s);

}  // namespace driver
