#include "game/Steering.h"

#include "game/Game.h"

#include <algorithm>

namespace sk {

namespace {

constexpr int kTargetMaxX = 632;  // the pointer's target range
constexpr int kTargetMaxY = 380;

int Sign(int v) { return (v > 0) - (v < 0); }

// One axis: re-anchor on a change of direction, then step and clamp.
void SteerAxis(int held, int& moving, int ship, int& target, int max) {
    if (held != moving) target = std::clamp(ship, 0, max);
    moving = held;
    if (held != 0) target = std::clamp(target + held * Steering::kStep, 0, max);
}

}  // namespace

SteerDirection Combine(SteerDirection a, SteerDirection b) { return {Sign(a.X + b.X), Sign(a.Y + b.Y)}; }

void Steering::Frame() {
    GameState& s = game_.S;
    if (s.TitleMode || s.Paused || s.AutoPilot || s.ShipFrozen) return;
    SteerAxis(held_.X, moving_.X, s.ShipX, s.TargetX, kTargetMaxX);
    SteerAxis(held_.Y, moving_.Y, s.ShipY, s.TargetY, kTargetMaxY);
}

void Steering::FireSingle() { game_.MainScreenMouseDown(MouseButton::Left, 0, 0); }

void Steering::FireFan() { game_.MainScreenMouseDown(MouseButton::Right, 0, 0); }

void Steering::Continue() { game_.MainScreenDblClick(); }

}  // namespace sk
