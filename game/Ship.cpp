// The player's aircraft: steering, firing, its movement and its shots.
#include "game/Bounds.h"
#include "game/Game.h"
#include "game/MaskedSprite.h"

namespace sk {

void Game::ResetShip() {
    S.ShipX = 12;
    S.ShipY = 120;
    S.TargetX = 0;
    S.TargetY = 0;
    S.ShipHit = false;
    S.ShipFrozen = false;
    S.ShipIntact = true;
    S.ShipBlastFrame = 0;
    S.ShipSpeed = 6;
    S.ShotsInFlight = 0;
    for (Actor& shot : S.Shots) shot.Active = false;
}

void Game::SetGauge() {
    S.Shell.GaugeWidth = GaugeWidthFor(S.ShotsInFlight);
    port_.StateChanged();
}

void Game::FreeShot(Actor& shot, int x, int y) {
    shot.X = x;
    shot.Y = y;
    shot.Active = false;
    --S.ShotsInFlight;
    S.Shell.GaugeWidth = S.GameOver ? 0 : GaugeWidthFor(S.ShotsInFlight);
    port_.StateChanged();
}

void Game::MainScreenMouseMove(int x, int y) {
    const EventScope scope(*this, ReplayOp::PointerMove, x, y);
    if (S.AutoPilot) return;
    S.TargetX = ClampTarget(x - kPointerOffset, kTargetMaxX);
    S.TargetY = ClampTarget(y - kPointerOffset, kTargetMaxY);
}

void Game::SteerTarget(int x, int y) {
    const EventScope scope(*this, ReplayOp::Steer, x, y);
    S.TargetX = x;
    S.TargetY = y;
}

void Game::MainScreenMouseDown(MouseButton button, int /*x*/, int /*y*/) {
    const EventScope scope(*this, ReplayOp::Press, static_cast<std::int32_t>(button));
    switch (button) {
        case MouseButton::Left: FireSingle(); break;
        case MouseButton::Right: FireFan(); break;
        default:
            // Fires nothing, but the gauge is refreshed as after any press.
            if (TakesPresses()) SetGauge();
            break;
    }
}

bool Game::TakesPresses() const { return !S.ShipHit && !S.TitleMode; }

bool Game::CanFire() const { return S.ShotsInFlight != S.ShotSlots && !S.Paused; }

void Game::PlayShotSound() {
    if (S.SoundOn && !S.BlastSoundLock) PlayEffect(sound_, Effect::Shot);
}

void Game::FireSingle() {
    const EventScope scope(*this, ReplayOp::FireSingle);
    if (!TakesPresses()) return;
    if (CanFire()) {
        PlayShotSound();
        for (Actor& shot : S.Shots) {
            if (shot.Active) continue;
            shot.X = S.ShipX + 43;
            shot.Y = S.ShipY + 10;
            shot.Active = true;
            ++S.ShotsInFlight;
            break;
        }
    }
    SetGauge();
}

// Fills the free slots of a column of seven, 16 pixels apart from 48 above
// the ship's top edge, one shot step behind the single shot's start.
void Game::FireFan() {
    const EventScope scope(*this, ReplayOp::FireFan);
    if (!TakesPresses()) return;
    if (CanFire()) {
        PlayShotSound();
        for (int i = 0; i < static_cast<int>(S.Shots.size()); ++i) {
            Actor& shot = S.Shots[i];
            if (shot.Active) continue;
            shot.X = S.ShipX + 43 - S.ShotSpeed;
            shot.Y = S.ShipY - 48 + 16 * i;
            shot.Active = true;
        }
        S.ShotsInFlight = S.ShotSlots;
    }
    SetGauge();
}

void Game::MoveShip() {
    if (S.ShipFrozen) return;
    if (S.ShipX < S.TargetX) S.ShipX += S.ShipSpeed;
    if (S.ShipX > S.TargetX) S.ShipX -= S.ShipSpeed;
    if (S.ShipY < S.TargetY) S.ShipY += S.ShipSpeed;
    if (S.ShipY > S.TargetY) S.ShipY -= S.ShipSpeed;
    DrawShip();
}

// The masked draw of the one-frame ship sheet, through its own work bitmap.
void Game::DrawShip() {
    DrawMaskedSprite(MainScr, shipWork_, pics_.PlaneBmp, S.ShipX, S.ShipY, kShipWidth, kShipHeight, 0, 0);
}

void Game::MoveShot(int slot) {
    Actor& shot = S.Shots[slot];
    if (!shot.Active) return;
    shot.X += S.ShotSpeed;
    DrawSprite(pics_.Missile, shot.X, shot.Y, kShotWidth, kShotHeight, 0, 0, kStripLayout);
    if (shot.X > 640) FreeShot(shot, 640, 0);
}

}  // namespace sk
