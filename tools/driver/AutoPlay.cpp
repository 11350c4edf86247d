#include "AutoPlay.h"

#include "game/Bounds.h"

#include <algorithm>
#include <cstdlib>

namespace driver {

namespace {

constexpr int kHomeX = 36;
constexpr int kTopY = 0;
constexpr int kBottomY = 372;
constexpr int kLookAhead = 30;  // frames the plan looks into the future
constexpr int kMargin = 3;      // extra pixels kept from every hit box
// The game's boxes with the margin (twice that above and below an enemy).
constexpr sk::HitBox kShotNear = sk::kEnemyShotBox.Widened(kMargin, kMargin);
constexpr sk::HitBox kRamNear = sk::kRamBox.Widened(kMargin, 2 * kMargin);

bool Released(const sk::GameState& s, int k) {
    const sk::Actor& e = s.Enemies[k];
    return e.Active && e.AppearAt <= s.ScrollX;
}

bool ShotHits(int shotX, int shotY, int shipX, int shipY) { return kShotNear.Holds(shipX, shipY, shotX, shotY); }

bool Rams(int x, int y, int shipX, int shipY) { return kRamNear.Holds(shipX, shipY, x, y); }

int StepToward(int from, int to, int speed) {
    if (from < to) from += speed;
    if (from > to) from -= speed;
    return from;
}

// Whether steering toward `targetY` keeps the ship clear of every enemy and
// enemy shot (flying straight on, and the shots enemies are about to fire)
// for the next frames.
bool SafeCourse(const sk::GameState& s, int targetY) {
    int shipX = s.ShipX, shipY = s.ShipY;
    for (int t = 1; t <= kLookAhead; ++t) {
        shipX = StepToward(shipX, kHomeX, s.ShipSpeed);
        shipY = StepToward(shipY, targetY, s.ShipSpeed);
        for (int k = 1; k <= 10; ++k) {
            const sk::Actor& shot = s.EnemyShots[k];
            const sk::Actor& e = s.Enemies[k];
            if (shot.Active && ShotHits(shot.X - t * s.EnemyShotSpeed, shot.Y, shipX, shipY)) return false;
            if (!shot.Active && Released(s, k) &&
                ShotHits(e.X - (t - 1) * s.EnemyShotSpeed, e.Y, shipX, shipY)) {
                return false;
            }
            if (Released(s, k) && Rams(e.X - t * s.EnemySpeed, e.Y, shipX, shipY)) return false;
        }
    }
    return true;
}

}  // namespace

AutoPlayMove DecideMove(const sk::GameState& s) {
    AutoPlayMove move;
    if (s.TitleMode || s.GameOver || s.AutoPilot || s.ShipHit) return move;

    // Line up 10 pixels below the nearest enemy ahead: its shots pass above
    // the ship's box, ours still hit.
    int wantedY = s.ShipY;
    int nearestX = 100000;
    int onScreen = 0;
    for (int k = 1; k <= 10; ++k) {
        const sk::Actor& e = s.Enemies[k];
        if (!Released(s, k) || e.X >= 632 || e.Y < -30 || e.Y >= 404) continue;
        ++onScreen;
        if (e.X > s.ShipX + 60 && e.X < nearestX && e.Y >= 0 && e.Y <= 374) {
            nearestX = e.X;
            wantedY = e.Y + 10;
        }
    }

    int bestY = wantedY, bestCost = 1 << 30;
    for (int y = kTopY; y <= kBottomY; y += 6) {
        const int cost = std::abs(y - wantedY) + (SafeCourse(s, y) ? 0 : 100000);
        if (cost < bestCost) {
            bestCost = cost;
            bestY = y;
        }
    }

    move.Steer = true;
    move.PointerX = kHomeX + sk::kPointerOffset;
    move.PointerY = bestY + sk::kPointerOffset;
    move.FireLeft = nearestX < 100000 && std::abs(s.ShipY - wantedY) <= 20;
    move.FireRight = onScreen >= 3 && s.ShotsInFlight == 0;
    return move;
}

}  // namespace driver
