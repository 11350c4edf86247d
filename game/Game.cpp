// Construction, InitGame and the first picture of the title screen.
#include "game/Game.h"

namespace sk {

Game::Game(WindowPort& port, const Pictures& pictures, SoundApi sound)
    : MainScr(kFieldWidth, kFieldHeight),
      TitleScreen(kFieldWidth, kClientHeight),
      port_(port),
      pics_(pictures),
      sound_(sound) {}

void Game::InitGame(const Settings& settings) {
    S.StageNo = 0;
    S.StageCount = 7;
    S.SecondLap = false;
    S.Score = 0;
    S.Paused = false;

    S.MusicOn = settings.MusicOn;
    S.SoundOn = settings.SoundOn;
    S.MouseLock = settings.MouseLock;
    S.Difficulty = settings.Difficulty;
    S.MusicOnNext = S.MusicOn;

    S.TitleMode = true;
    S.GameOver = false;
    S.NewRecord = false;
    S.FrameDelay = 20;
    S.StageExit = false;
    S.ScrollEnd = false;
    S.ScrollSpeed = 2;
    S.ScrollX = 0;
    S.EnemySpeed = 3;
    S.EnemyShotSpeed = 3;

    S.ShotSlots = 7;
    S.ShotSpeed = 24;
    S.Invincible = false;
    for (Actor& shot : S.Shots) {
        shot.X = 0;
        shot.Y = 0;
        shot.Active = false;
    }
    ResetShip();
    for (Actor& shot : S.EnemyShots) shot.Active = false;

    for (auto& row : S.StageMap) row.fill(0);
    port_.StateChanged();
}

void Game::ShowTitlePicture() {
    S.TitleBandX.fill(0);
    Blit(TitleScreen, 0, 0, kFieldWidth, 438, pics_.OpenLogo, 0, 0, RasterOp::SrcCopy);
    fieldShown_ = false;
    titleOnScreen_ = false;
}

}  // namespace sk
