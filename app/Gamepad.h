// Game pads through SDL's game-controller layer, polled on the UI thread
// once per frame (no thread, no event queue). The first attached pad that
// SDL can map is used; pads may come and go at any time.
// The one place of the program outside the sound library that uses SDL.
#pragma once

#include "game/Steering.h"

#include <string>

struct _SDL_GameController;

namespace sk {

struct PadState {
    bool Connected = false;
    SteerDirection Direction;  // left stick (past half way) or d-pad
    bool A = false;
    bool B = false;
    bool X = false;
    bool Start = false;
    bool Back = false;
    bool LeftShoulder = false;   // a replay slower
    bool RightShoulder = false;  // a replay faster

    // Nothing held, connected or not.
    bool Idle() const {
        return Direction == SteerDirection{} && !A && !B && !X && !Start && !Back && !LeftShoulder && !RightShoulder;
    }
};

class Gamepad {
public:
    // Starts SDL's game-controller layer and adds the mappings of
    // `mappingFile` (SDL's gamecontrollerdb.txt form) if it exists.
    explicit Gamepad(const std::string& mappingFile);
    ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    bool Available() const { return started_; }
    // Reads the pads: opens a newly attached one, lets go of a removed one.
    PadState Poll();

private:
    void Attach();

    bool started_ = false;
    _SDL_GameController* pad_ = nullptr;
};

}  // namespace sk
