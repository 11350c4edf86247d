// Stage start, the lap message, game over picture and the way back to the title.
#include "game/Game.h"

#include <ctime>
#include <string>

namespace sk {

namespace {

const char* LapMessageFor(int difficulty) {
    switch (difficulty) {
        case 2: return text::kLapEasy;
        case 4: return text::kLapNormal;
        case 9: return text::kLapHard;
        default: return nullptr;
    }
}

}  // namespace

void Game::ShowLapMessage() {
    if (const char* text = LapMessageFor(S.Difficulty)) port_.ShowMessage({text::kLapCaption, text, {}});
}

void Game::ApplyStageSpeeds() {
    const int index = S.Shell.DifficultyIndex;
    if (index < 0 || index > 2) return;
    if (S.SecondLap) {
        S.EnemyShotSpeed = (1 << index) + S.Difficulty + S.StageCount;
        S.EnemySpeed = S.Difficulty + S.StageCount;
        return;
    }
    SetFirstLapSpeeds(index);
}

void Game::SetFirstLapSpeeds(int index) {
    struct Row {
        int Difficulty, ShotOffset, SpeedOffset;
    };
    static constexpr Row kRows[] = {{2, 3, 2}, {4, 6, 4}, {9, 13, 9}};  // Easy, Normal, Hard
    const Row& row = kRows[index];
    S.Difficulty = row.Difficulty;
    S.EnemyShotSpeed = S.StageNo + row.ShotOffset;
    S.EnemySpeed = S.StageNo + row.SpeedOffset;
}

void Game::PlayMusic(Tune tune) {
    if (!S.MusicOn) return;
    sound_.DmStop();
    sound_.DmMake(TuneFile(tune));
    sound_.DmPlay(-1);
}

bool Game::StartStage(bool advance) {
    if (advance) {
        ++S.StageNo;
        if (S.StageNo > S.StageCount) {
            S.StageNo = 1;
            S.SecondLap = true;
            ShowLapMessage();
        }
        ApplyStageSpeeds();
    }
    S.FrameDelay = 20;
    S.StageExit = false;

    S.Shell.StageCaption = std::to_string(S.StageNo);
    S.Shell.ScoreCaption = std::to_string(S.Score);
    if (S.StageNo == 1) {
        S.Shell.LabelsVisible = true;
        S.Shell.StatusPictureVisible = true;
        S.Shell.GaugeVisible = true;
    }

    ResetShip();
    SetUpEnemies();
    ResetEnemyShots();

    S.ScrollSpeed = 2;
    S.ScrollEnd = false;
    S.ScrollX = 0;
    SetGauge();
    S.AutoPilot = false;

    for (auto& row : S.StageMap) row.fill(0);

    if (S.StageNo >= 1 && S.StageNo <= 7) PlayMusic(StageTune(S.StageNo));
    port_.ApplyMouseLock(S.MouseLock);

    if (!LoadStageMap()) {
        port_.ShowMessage(
            {text::kProgramTitle, text::kStageUnreadable, "Data/Stage" + std::to_string(S.StageNo) + ".dat"});
        ResetGame();
        return false;
    }
    BuildBackground();

    S.Shell.MainScreenHeight = kFieldHeight;
    S.GameOver = false;
    S.NewRecord = false;
    port_.StateChanged();
    return true;
}

void Game::ResetGame() {
    NoteReset();
    PlayMusic(Tune::Opening);
    S.FrameDelay = 20;

    ShellState& shell = S.Shell;
    shell.StartBot = {true, true, false};
    S.Paused = false;
    shell.StopB = {false, false, false};
    shell.HScoreB = {true, true, false};
    shell.ResetB = {true, true, false};

    shell.LabelsVisible = false;
    shell.StatusPictureVisible = false;
    shell.GaugeVisible = false;

    shell.DifficultyEnabled = true;
    shell.DifficultyHint = text::kDifficultyHint;

    S.TitleMode = true;
    S.GameOver = false;
    S.NewRecord = false;
    S.SecondLap = false;

    port_.ApplyMouseLock(false);

    S.StageNo = 0;
    S.Score = 0;
    S.ShotsInFlight = 0;
    S.Invincible = false;

    S.Random.seed(static_cast<std::minstd_rand::result_type>(std::time(nullptr)));

    shell.MainScreenHeight = kClientHeight;
    port_.StateChanged();
}

void Game::DrawGameOver() {
    if (!S.GameOver) return;
    S.FrameDelay = 30;
    DrawSprite(pics_.GameOverGra, 160, 175, 320, 60, 0, 0, kStripLayout);
    DrawSprite(pics_.toTitle, 251, 250, 155, 11, 0, 0, kStripLayout);
}

}  // namespace sk
