// Menu commands and the settings dialog's exchange with the game.
#include "game/Game.h"

namespace sk {

void Game::StartBotClick() {
    const EventScope scope(*this, ReplayOp::Start);
    if (!S.TitleMode) return;
    ShellState& shell = S.Shell;
    shell.StartBot.Visible = false;
    shell.StartBot.Enabled = false;
    shell.StopB.Visible = true;
    shell.StopB.Enabled = true;
    shell.ResetB.Visible = true;
    shell.ResetB.Enabled = true;
    shell.DifficultyEnabled = false;
    shell.DifficultyHint = text::kDifficultyLocked;
    shell.HScoreB.Visible = false;
    shell.HScoreB.Enabled = false;
    port_.StateChanged();
    if (!StartStage(true)) return;
    S.TitleMode = false;
    port_.StateChanged();
}

void Game::ResetBClick() {
    const EventScope scope(*this, ReplayOp::Reset);
    ResetGame();
}

void Game::StopBClick() {
    const EventScope scope(*this, ReplayOp::Pause);
    S.Paused = !S.Paused;
    S.Shell.StopB.Checked = S.Paused;
    port_.StateChanged();
}

void Game::ResumeGame() {
    const EventScope scope(*this, ReplayOp::Resume);
    S.Paused = false;
    S.Shell.StopB.Checked = false;
    port_.StateChanged();
}

void Game::PauseForDialog() {
    const EventScope scope(*this, ReplayOp::DialogPause);
    S.Paused = true;
    S.Shell.StopB.Checked = true;
    port_.StateChanged();
}

void Game::ScrollBClick() {
    const EventScope scope(*this, ReplayOp::FastScroll);
    S.ScrollSpeed = 16;
}

void Game::SpecialBClick() {
    const EventScope scope(*this, ReplayOp::Invincible);
    S.Invincible = true;
}

void Game::MainScreenDblClick() {
    const EventScope scope(*this, ReplayOp::Continue);
    if (!S.GameOver) return;
    S.Score = 0;
    StartStage(false);
}

void Game::TransferSettingsToDialog() {
    const EventScope scope(*this, ReplayOp::DialogOpen);
    switch (S.Difficulty) {
        case 2: S.Shell.DifficultyIndex = 0; break;
        case 4: S.Shell.DifficultyIndex = 1; break;
        case 9: S.Shell.DifficultyIndex = 2; break;
        default: break;
    }
    port_.StateChanged();
}

void Game::DifficultBtnClick(int index) {
    const EventScope scope(*this, ReplayOp::DifficultyItem, index);
    S.Shell.DifficultyIndex = index;
}

void Game::TransferSettingsFromDialog(int difficultyIndex, bool bgm, bool wave, bool mouseLock) {
    const EventScope scope(*this, ReplayOp::DialogOk, difficultyIndex, (bgm ? 1 : 0) | (wave ? 2 : 0) | (mouseLock ? 4 : 0));
    S.MusicOnNext = bgm;
    S.SoundOn = wave;
    S.MouseLock = mouseLock;
    port_.ApplyMouseLock(S.MouseLock);

    S.Shell.DifficultyIndex = difficultyIndex;
    if (difficultyIndex >= 0 && difficultyIndex <= 2) {
        SetFirstLapSpeeds(difficultyIndex);
        // The dialog's table differs from the stage start's in Hard's shot speed.
        if (difficultyIndex == 2) S.EnemyShotSpeed = 2 * S.StageNo + 9;
    }
    if (S.EnemySpeed <= 2) S.EnemySpeed = 3;

    S.Paused = false;
    S.Shell.StopB.Checked = false;
    port_.StateChanged();
}

}  // namespace sk
