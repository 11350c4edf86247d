// The ten enemy slots: set-up at stage start, release, firing and the ten
// movement kinds.
#include "game/Bounds.h"
#include "game/Game.h"

#include <cmath>
#include <random>

namespace sk {

namespace {

constexpr double kDegree = 0.017453294444444444;
constexpr int kParamKept = -1;  // the slot's Param is left as it was

struct SlotSetUp {
    int StartY;
    int Param;
    int ActiveFrom;  // the first stage at which the slot flies
};

// Indexed by slot 1..10; entry 0 is unused.
constexpr SlotSetUp kSlotSetUp[11] = {
    {0, kParamKept, 0},
    {75, kParamKept, 1}, {180, 1, 1},  {115, kParamKept, 1}, {40, 100, 1},  {171, 50, 2},
    {330, kParamKept, 3}, {96, 1, 4},  {60, 1, 5},           {250, kParamKept, 6}, {310, 1, 7},
};

int Wave(int x, double amplitude, int base) {
    return static_cast<int>(std::trunc(std::sin(x * kDegree) * amplitude + base));
}

}  // namespace

int Game::RandomBelow(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(S.Random);
}

void Game::SetUpEnemies() {
    S.EnemySlots = 10;
    for (int k = 1; k <= S.EnemySlots; ++k) {
        Actor& enemy = S.Enemies[k];
        enemy.Destroyed = false;
        enemy.Exploding = false;
        enemy.BlastFrame = 0;
        enemy.X = 640;
        enemy.Y = kSlotSetUp[k].StartY;
        enemy.AppearAt = RandomBelow(500);
        enemy.Kind = k;
        enemy.Active = true;
        if (kSlotSetUp[k].Param != kParamKept) enemy.Param = kSlotSetUp[k].Param;
    }
    for (int k = 5; k <= S.EnemySlots; ++k) {
        if (S.StageNo < kSlotSetUp[k].ActiveFrom) S.Enemies[k].Active = false;
    }
}

void Game::MoveEnemy(int k, int kind) {
    Actor& enemy = S.Enemies[k];
    Actor& shot = S.EnemyShots[k];
    if (!shot.Active && enemy.Active) {
        shot.X = enemy.X;
        shot.Y = enemy.Y;
        shot.Active = true;
    }
    if (!enemy.Active) return;

    if (enemy.X <= -kEnemyWidth) {
        enemy.X = 640;
        switch (kind) {
            case 2:
                enemy.Y = RandomBelow(404);
                enemy.Param = 1;
                break;
            case 3: case 4: case 5: case 6:
                enemy.Param = RandomBelow(434);
                break;
            default:
                enemy.Y = RandomBelow(434);
                break;
        }
        if (S.ScrollEnd) enemy.Active = false;
    }

    const int s = S.EnemySpeed;
    enemy.X -= s;
    switch (kind) {
        case 2:
            if (enemy.Y <= 0) {
                enemy.Param = 1;
            } else if (enemy.Y >= 374) {
                enemy.Param = 2;
            }
            if (enemy.Param == 1) enemy.Y += s;
            if (enemy.Param == 2) enemy.Y -= s;
            break;
        case 3: enemy.Y = Wave(enemy.X, 40, enemy.Param); break;
        case 4: enemy.Y = Wave(enemy.X, 20, enemy.Param); break;
        case 5: {
            const double a = enemy.X * kDegree;
            enemy.Y = static_cast<int>(std::trunc((std::cos(a) + 2 * std::sin(a)) * 50 + enemy.Param));
            break;
        }
        case 6: enemy.Y = Wave(enemy.X, 70, enemy.Param); break;
        default: break;
    }

    const bool secondColumn = kind >= 6;
    DrawSprite(pics_.EnemyBmp, enemy.X, enemy.Y, kEnemyWidth, kEnemyHeight, secondColumn ? 2 : 1,
               secondColumn ? kind - 5 : kind, kGridLayout);
}

}  // namespace sk
