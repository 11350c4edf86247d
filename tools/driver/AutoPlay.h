// A simple player for headless runs: keeps to the left, lines up below the
// nearest enemy (out of the line of its fire), fires, and steps out of the
// way of enemy shots and enemies close by.
#pragma once

#include "game/GameState.h"

namespace driver {

struct AutoPlayMove {
    int PointerX = 0;
    int PointerY = 0;
    bool Steer = false;
    bool FireLeft = false;
    bool FireRight = false;
};

AutoPlayMove DecideMove(const sk::GameState& s);

}  // namespace driver
