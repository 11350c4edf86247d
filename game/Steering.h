// Steering by keys or a game pad: a held direction moves the ship's target
// point while play frames run; the fire and continue buttons follow the
// mouse buttons' and the double-click's rules. The shell only turns its key
// and pad events into these calls.
#pragma once

namespace sk {

class Game;

// -1, 0 or 1 per axis (left/up negative).
struct SteerDirection {
    int X = 0;
    int Y = 0;
    bool operator==(const SteerDirection&) const = default;
};

// Both sources held at once: each axis the sign of the sum.
SteerDirection Combine(SteerDirection a, SteerDirection b);

class Steering {
public:
    // Target pixels per frame: 632 pixels in about 50 frames, a second.
    static constexpr int kStep = 13;

    explicit Steering(Game& game) : game_(game) {}

    // The direction now held; takes effect at the next Frame().
    void Hold(SteerDirection direction) { held_ = direction; }
    SteerDirection Held() const { return held_; }

    // Once per frame before the game's own frame. Only while a play frame
    // runs (not on the title, not paused, not during the exit flight): on an
    // axis whose key went down, turned or came up, the target starts from
    // where the ship is, so the ship answers at once and stops on release;
    // then a held axis moves the target one step, clamped like the pointer.
    void Frame();

    // The single shot and the fan: the left and right button's shots.
    void FireSingle();
    void FireFan();
    // Continue after game over, where the double-click would.
    void Continue();

private:
    Game& game_;
    SteerDirection held_;
    SteerDirection moving_;  // the direction the last play frame applied
};

}  // namespace sk
