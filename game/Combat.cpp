// Enemy shots, the collision tests, explosions, the score and the end of a game.
#include "game/Bounds.h"
#include "game/Game.h"

#include <limits>
#include <string>

namespace sk {

namespace {

constexpr int kBlastFrames = 5;

bool Rams(const GameState& s, const Actor& enemy) { return kRamBox.Holds(s.ShipX, s.ShipY, enemy.X, enemy.Y); }

bool EnemyShotHitsShip(const GameState& s, const Actor& shot) {
    return kEnemyShotBox.Holds(s.ShipX, s.ShipY, shot.X, shot.Y);
}

bool ShotHitsEnemy(const Actor& shot, const Actor& enemy) { return kShotBox.Holds(enemy.X, enemy.Y, shot.X, shot.Y); }

}  // namespace

void Game::ResetEnemyShots() {
    for (int k = 1; k <= 10; ++k) {
        S.EnemyShots[k].X = -16;
        S.EnemyShots[k].Active = false;
    }
}

void Game::HitShip() {
    if (S.SoundOn) PlayEffect(sound_, Effect::ShipHit);
    S.BlastSoundLock = true;
    S.ShipIntact = false;
    S.ShipFrozen = true;
    S.ShipHit = true;
}

void Game::ShowScore() {
    S.Shell.ScoreCaption = std::to_string(S.Score);
    port_.StateChanged();
}

void Game::UpdateEnemies(int phase) {
    if (phase == kMovePhase) {
        for (int k = 1; k <= S.EnemySlots; ++k) {
            Actor& enemy = S.Enemies[k];
            // Once the scroll has ended, slots it never reached are released
            // as well: on a narrow map the field would otherwise never clear.
            if (enemy.AppearAt <= S.ScrollX || S.ScrollEnd) MoveEnemy(k, enemy.Kind);
            if (enemy.Active && Rams(S, enemy) && !S.Invincible && !S.ShipHit) HitShip();
        }
        if (!S.ShipIntact) StepExplosion(S.ShipX, S.ShipY, 0, kShipBlast);
        return;
    }
    if (phase != kShotPhase) return;
    for (int k = 1; k <= S.EnemySlots; ++k) {
        Actor& enemy = S.Enemies[k];
        for (int j = 0; j < S.ShotSlots; ++j) {
            Actor& shot = S.Shots[j];
            if (!shot.Active || !enemy.Active || !ShotHitsEnemy(shot, enemy)) continue;
            enemy.Active = false;
            enemy.Exploding = true;
            enemy.Destroyed = true;
            FreeShot(shot, 0, kClientHeight);
        }
        if (enemy.Destroyed && enemy.Exploding) StepExplosion(enemy.X, enemy.Y, k, kEnemyBlast);
    }
}

void Game::MoveEnemyShot(int k) {
    Actor& shot = S.EnemyShots[k];
    if (!shot.Active) return;
    shot.X -= S.EnemyShotSpeed;
    DrawSprite(pics_.CpuMissile, shot.X, shot.Y, kShotWidth, kShotHeight, 0, 0, kStripLayout);
    if (EnemyShotHitsShip(S, shot) && !S.ShipHit && !S.Invincible) HitShip();
    if (shot.X <= -50) {
        shot.X = -16;
        shot.Y = -16;
        shot.Active = false;
    }
}

void Game::StepExplosion(int x, int y, int index, int kind) {
    int n = 0;
    if (kind == kShipBlast) {
        // The counter runs on for every frame after game over; it stops short of overflowing.
        if (S.ShipBlastFrame < std::numeric_limits<std::int32_t>::max()) ++S.ShipBlastFrame;
        n = S.ShipBlastFrame;
    } else if (kind == kEnemyBlast) {
        n = ++S.Enemies[index].BlastFrame;
        if (S.SoundOn && !S.BlastSoundLock) {
            PlayEffect(sound_, Effect::EnemyBlast);
            S.BlastSoundLock = true;
        }
    } else {
        return;
    }

    if (n >= 1 && n <= kBlastFrames) {
        DrawSprite(pics_.ExplodeBmp, x, y, kBlastWidth, kBlastHeight, (n - 1) * kBlastWidth, 0, kStripLayout);
        return;
    }
    if (n != kBlastFrames + 1) return;

    if (kind == kShipBlast) {
        S.GameOver = true;
        CheckNewRecord();
        PlayMusic(S.NewRecord ? Tune::HighScore : Tune::GameOver);
        return;
    }
    Actor& enemy = S.Enemies[index];
    enemy.X = 640 + RandomBelow(500);
    enemy.Y = RandomBelow(415);
    enemy.BlastFrame = 0;
    if (!S.ScrollEnd) enemy.Active = true;
    S.Score += 100;
    ShowScore();
    S.BlastSoundLock = false;
    enemy.Exploding = false;
}

void Game::CheckNewRecord() {
    const int rank = RankFor(HighScores, S.Score);
    if (rank < 1) return;
    port_.OfferNameEntry(rank, S.Score);
    S.NewRecord = true;
}

}  // namespace sk
