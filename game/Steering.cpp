#include "game/Steering.h"

#include "game/Bounds.h"
#include "game/Game.h"

namespace sk {

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// One axis: re-anchor on a change of direction, then step and clamp.
void SteerAxis(int held, int& moving, int ship, int& target, int max) {
    if (held != moving) target = ClampTarget(ship, max);
    moving = held;
    if (held != 0) target = ClampTarget(target + held * Steering::kStep, max);
}

}  // namespace

SteerDirection Combine(SteerDirection a, SteerDirection b) { return {Sign(a.X + b.X), Sign(a.Y + b.Y)}; }

void Steering::Frame() {
    const GameState& s = game_.S;
    if (s.TitleMode || s.Paused || s.AutoPilot || s.ShipFrozen) return;
    int x = s.TargetX, y = s.TargetY;
    SteerAxis(held_.X, moving_.X, s.ShipX, x, kTargetMaxX);
    SteerAxis(held_.Y, moving_.Y, s.ShipY, y, kTargetMaxY);
    if (x != s.TargetX || y != s.TargetY) game_.SteerTarget(x, y);
}

void Steering::FireSingle() { game_.FireSingle(); }

void Steering::FireFan() { game_.FireFan(); }

void Steering::Continue() { game_.MainScreenDblClick(); }

}  // namespace sk
