// The player's aircraft: steering, firing, its movement and its shots.
#include "game/Game.h"
#include "game/Sprites.h"

namespace sk {

namespace {

constexpr int kPointerOffset = 16;
constexpr int kTargetMaxX = 632;
constexpr int kTargetMaxY = 380;
constexpr int kShipW = 59;
constexpr int kShipH = 30;

int ClampTarget(int value, int max) {
    if (value <= 0) return 0;
    if (value >= max) return max;
    return value;
}

}  // namespace

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
    S.Shell.GaugeWidth = kGaugeFull - kGaugeStep * S.ShotsInFlight;
    port_.StateChanged();
}

void Game::MainScreenMouseMove(int x, int y) {
    if (S.AutoPilot) return;
    S.TargetX = ClampTarget(x - kPointerOffset, kTargetMaxX);
    S.TargetY = ClampTarget(y - kPointerOffset, kTargetMaxY);
}

void Game::MainScreenMouseDown(MouseButton button, int /*x*/, int /*y*/) {
    if (S.ShipHit || S.TitleMode) return;
    const bool canFire = S.ShotsInFlight != S.ShotSlots && !S.Paused;
    const bool shotSound = S.SoundOn && !S.BlastSoundLock;
    if (button == MouseButton::Left && canFire) {
        if (shotSound) PlayEffect(sound_, Effect::Shot);
        for (Actor& shot : S.Shots) {
            if (shot.Active) continue;
            shot.X = S.ShipX + 43;
            shot.Y = S.ShipY + 10;
            shot.Active = true;
            ++S.ShotsInFlight;
            break;
        }
    } else if (button == MouseButton::Right && canFire) {
        if (shotSound) PlayEffect(sound_, Effect::Shot);
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

void Game::MapMaskMouseDown(MouseButton button, int x, int /*y*/) {
    MainScreenMouseDown(button, x, kFieldHeight);
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
    DrawMaskedSprite(MainScr, shipWork_, pics_.PlaneBmp, S.ShipX, S.ShipY, kShipW, kShipH, 0, 0);
}

void Game::MoveShot(int slot) {
    Actor& shot = S.Shots[slot];
    if (!shot.Active) return;
    shot.X += S.ShotSpeed;
    DrawSprite(pics_.Missile, shot.X, shot.Y, 16, 8, 0, 0, 0);
    if (shot.X > 640) {
        shot.X = 640;
        shot.Y = 0;
        shot.Active = false;
        --S.ShotsInFlight;
        S.Shell.GaugeWidth = kGaugeFull - kGaugeStep * S.ShotsInFlight;
        if (S.GameOver) S.Shell.GaugeWidth = 0;
        port_.StateChanged();
    }
}

}  // namespace sk
