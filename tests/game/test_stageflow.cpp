// Stage start, whole stages, laps, game over, continue and reset.
#include "GameTestKit.h"

namespace sk::test {
namespace {

using Calls = std::vector<std::string>;

class StageFlowTest : public GameTest {
protected:
    // Plays idle calls until `done` or `limit` frames; returns the frames run.
    template <typename Done>
    int PlayUntil(Done done, int limit) {
        int frames = 0;
        while (!done() && frames < limit) {
            g_.AppIdle();
            ++frames;
        }
        return frames;
    }
};

TEST_F(StageFlowTest, NewGameStartsAtStageOneWithTheStatusBarShown) {
    StartGame();
    EXPECT_FALSE(g_.S.TitleMode);
    EXPECT_EQ(g_.S.StageNo, 1);
    EXPECT_FALSE(g_.S.SecondLap);
    EXPECT_EQ(g_.S.Score, 0);
    EXPECT_EQ(g_.S.Shell.StageCaption, "1");
    EXPECT_EQ(g_.S.Shell.ScoreCaption, "0");
    EXPECT_TRUE(g_.S.Shell.LabelsVisible);
    EXPECT_TRUE(g_.S.Shell.StatusPictureVisible);
    EXPECT_TRUE(g_.S.Shell.GaugeVisible);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294);
    EXPECT_EQ(g_.S.Shell.MainScreenHeight, 404);
    EXPECT_EQ(g_.S.FrameDelay, 20);
    EXPECT_EQ(g_.S.ScrollSpeed, 2);
    EXPECT_EQ(g_.BackHai.Width, 40 * 32);
    EXPECT_EQ(g_.BackHai.Height, 13 * 32);
    EXPECT_EQ(g_.S.MapCols, 40);
    EXPECT_TRUE(port_.Confined);
    EXPECT_EQ(SoundLog(), (Calls{"DmStop", "DmMake BGM\\Stage1.mid", "DmPlay -1"}));
}

TEST_F(StageFlowTest, FirstLapSpeedsFollowTheDifficultyItemAndTheStage) {
    struct Case { int index; int stage; int difficulty; int shotSpeed; int speed; };
    const Case cases[] = {
        {0, 1, 2, 4, 3}, {1, 1, 4, 7, 5}, {2, 1, 9, 14, 10},
        {0, 4, 2, 7, 6}, {1, 4, 4, 10, 8}, {2, 4, 9, 17, 13},
        {1, 7, 4, 13, 11}, {2, 7, 9, 20, 16},
    };
    StartGame();
    for (const Case& c : cases) {
        g_.S.Shell.DifficultyIndex = c.index;
        g_.S.StageNo = c.stage - 1;
        ASSERT_TRUE(g_.StartStage(true));
        EXPECT_EQ(g_.S.Difficulty, c.difficulty);
        EXPECT_EQ(g_.S.EnemyShotSpeed, c.shotSpeed);
        EXPECT_EQ(g_.S.EnemySpeed, c.speed);
    }
    g_.S.Shell.DifficultyIndex = -1;  // no item selected: all three stay
    g_.S.Difficulty = 7;
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_EQ(g_.S.Difficulty, 7);
    EXPECT_EQ(g_.S.EnemyShotSpeed, 20);
    EXPECT_EQ(g_.S.EnemySpeed, 16);
}

TEST_F(StageFlowTest, StoredDifficultyDoesNotChooseTheFirstGame) {
    Settings easy;
    easy.Difficulty = 2;
    g_.InitGame(easy);
    StartGame();
    EXPECT_EQ(g_.S.Difficulty, 4);
    EXPECT_EQ(g_.S.EnemySpeed, 5);
}

TEST_F(StageFlowTest, WrapAfterStageSevenShowsTheLapMessageAndUsesSecondLapSpeeds) {
    struct Case { int index; int difficulty; const char* text; int shotSpeed; int speed; };
    const Case cases[] = {
        {0, 2, "Easyモードクリアおめでとう！！", 10, 9},
        {1, 4, "Normalモードクリアおめでとう！！", 13, 11},
        {2, 9, "Hardモードクリアおめでとう！！", 20, 16},
    };
    for (const Case& c : cases) {
        g_.ResetBClick();
        g_.S.Shell.DifficultyIndex = c.index;
        StartGame();
        g_.S.StageNo = 7;
        const int messages = port_.Messages;
        ASSERT_TRUE(g_.StartStage(true));
        EXPECT_EQ(port_.Messages, messages + 1);
        EXPECT_EQ(port_.LastCaption, "祝辞");
        EXPECT_EQ(port_.LastText, c.text);
        EXPECT_EQ(g_.S.StageNo, 1);
        EXPECT_TRUE(g_.S.SecondLap);
        EXPECT_EQ(g_.S.Difficulty, c.difficulty);
        EXPECT_EQ(g_.S.EnemyShotSpeed, c.shotSpeed);
        EXPECT_EQ(g_.S.EnemySpeed, c.speed);
        int active = 0;
        for (int k = 1; k <= 10; ++k) active += g_.S.Enemies[k].Active ? 1 : 0;
        EXPECT_EQ(active, 4);
        // every later stage keeps the second-lap speeds
        ASSERT_TRUE(g_.StartStage(true));
        EXPECT_EQ(g_.S.StageNo, 2);
        EXPECT_EQ(g_.S.EnemyShotSpeed, c.shotSpeed);
        EXPECT_EQ(g_.S.EnemySpeed, c.speed);
    }
}

TEST_F(StageFlowTest, UnknownDifficultyCodeWrapsWithoutAMessage) {
    StartGame();
    g_.S.Difficulty = 7;
    g_.S.SecondLap = true;
    g_.S.StageNo = 7;
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_EQ(port_.Messages, 0);
    EXPECT_EQ(g_.S.EnemySpeed, 14);
    EXPECT_EQ(g_.S.EnemyShotSpeed, 16);
}

TEST_F(StageFlowTest, StageStartClearsTheWholeMapAndSizesTheBackgroundAnew) {
    StartGame();
    g_.S.StageMap[98][98] = 5;
    g_.S.StageMap[95][3] = 7;
    WriteStage(2, 25, 14, 1);
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_EQ(g_.S.StageMap[98][98], 0);
    EXPECT_EQ(g_.S.StageMap[95][3], 0);
    EXPECT_EQ(g_.S.StageMap[13][24], 1);
    EXPECT_EQ(g_.BackHai.Width, 25 * 32);
    EXPECT_EQ(g_.BackHai.Height, 14 * 32);
}

TEST_F(StageFlowTest, MissingStageFileTellsThePlayerAndReturnsToTheTitle) {
    std::filesystem::remove("Data/Stage1.dat");
    StartGame();
    EXPECT_TRUE(g_.S.TitleMode);
    EXPECT_EQ(g_.S.StageNo, 0);
    EXPECT_EQ(port_.LastCaption, "Skarbolt 98");
    EXPECT_EQ(port_.LastText, "ステージデータを読み込めませんでした: Data/Stage1.dat");
    EXPECT_TRUE(g_.S.Shell.StartBot.Visible);
    EXPECT_TRUE(g_.S.Shell.StartBot.Enabled);
    EXPECT_FALSE(g_.S.Shell.StopB.Enabled);
    EXPECT_FALSE(port_.Confined);
    EXPECT_EQ(g_.AppIdle(), 20);  // the title runs on
}

TEST_F(StageFlowTest, BrokenNextStageEndsTheExitFlightOnTheTitle) {
    StartGame();
    WriteStage(2, 0, 13);
    ClearField();
    g_.S.StageExit = g_.S.AutoPilot = true;
    g_.S.ShipX = 636;
    g_.S.TargetX = 636;
    g_.S.ShipY = g_.S.TargetY = 186;
    Frames(1);
    EXPECT_TRUE(g_.S.TitleMode);
    EXPECT_EQ(port_.LastText, "ステージデータを読み込めませんでした: Data/Stage2.dat");
}

TEST_F(StageFlowTest, WholeStageFromStartThroughTheExitFlightIntoStageTwo) {
    StartGame();
    g_.SpecialBClick();
    g_.MainScreenMouseMove(200, 200);
    int frames = PlayUntil([&] { return g_.S.ScrollEnd; }, 400);
    EXPECT_EQ(frames, 320);
    EXPECT_EQ(g_.S.ScrollX, 640);

    frames = PlayUntil([&] { return g_.S.StageExit; }, 2000);
    EXPECT_LT(frames, 2000);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_FALSE(g_.S.Enemies[k].Active);
        EXPECT_FALSE(g_.S.EnemyShots[k].Active);
    }
    g_.MainScreenMouseMove(20, 20);  // ignored in the exit flight
    EXPECT_EQ(g_.S.TargetX, 636);

    SoundLog().clear();
    frames = PlayUntil([&] { return g_.S.StageNo == 2; }, 200);
    EXPECT_LT(frames, 200);
    EXPECT_EQ(g_.S.ShipX, 12);
    EXPECT_EQ(g_.S.ScrollX, 0);
    EXPECT_EQ(g_.S.EnemySpeed, 6);
    EXPECT_EQ(g_.S.EnemyShotSpeed, 8);
    EXPECT_EQ(g_.S.Shell.StageCaption, "2");
    EXPECT_EQ(SoundLog(), (Calls{"DmStop", "DmMake BGM\\Stage2.mid", "DmPlay -1"}));
    int active = 0;
    for (int k = 1; k <= 10; ++k) active += g_.S.Enemies[k].Active ? 1 : 0;
    EXPECT_EQ(active, 5);
}

TEST_F(StageFlowTest, ShotsInFlightAreRemovedByTheStageChange) {
    StartGame();
    g_.MainScreenMouseDown(MouseButton::Right, 0, 0);
    ASSERT_EQ(g_.S.ShotsInFlight, 7);
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_EQ(g_.S.ShotsInFlight, 0);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294);
    for (const Actor& shot : g_.S.Shots) EXPECT_FALSE(shot.Active);
}

TEST_F(StageFlowTest, GameOverThenContinueRestartsTheSameStageWithScoreZero) {
    StartGame();
    g_.S.StageNo = 4;
    g_.S.Shell.DifficultyIndex = 2;
    ASSERT_TRUE(g_.StartStage(true));  // stage 5 on Hard
    g_.S.Score = 2300;
    g_.MainScreenDblClick();  // not over yet: nothing
    EXPECT_EQ(g_.S.Score, 2300);

    ClearField();
    PlaceEnemy(1, g_.S.ShipX + 4, g_.S.ShipY);  // rams
    g_.S.Enemies[1].AppearAt = 100000;
    for (int i = 0; i < 6; ++i) g_.AppIdle();
    ASSERT_TRUE(g_.S.GameOver);
    EXPECT_EQ(g_.S.FrameDelay, 30);
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 0);

    const int speed = g_.S.EnemySpeed, shotSpeed = g_.S.EnemyShotSpeed;
    SoundLog().clear();
    g_.MainScreenDblClick();
    EXPECT_FALSE(g_.S.GameOver);
    EXPECT_FALSE(g_.S.NewRecord);
    EXPECT_EQ(g_.S.Score, 0);
    EXPECT_EQ(g_.S.StageNo, 5);
    EXPECT_EQ(g_.S.Shell.StageCaption, "5");
    EXPECT_EQ(g_.S.Shell.ScoreCaption, "0");
    EXPECT_EQ(g_.S.EnemySpeed, speed);
    EXPECT_EQ(g_.S.EnemyShotSpeed, shotSpeed);
    EXPECT_EQ(g_.S.Difficulty, 9);
    EXPECT_TRUE(g_.S.ShipIntact);
    EXPECT_FALSE(g_.S.ShipHit);
    EXPECT_EQ(g_.S.FrameDelay, 20);
    EXPECT_EQ(SoundLog(), (Calls{"DmStop", "DmMake BGM\\Stage5.mid", "DmPlay -1"}));
}

TEST_F(StageFlowTest, GameOverAfterTheEndOfTheScrollNeverReachesTheNextStage) {
    StartGame();
    ClearField();
    g_.S.ScrollX = g_.BackHai.Width - 640;
    g_.S.ShipHit = g_.S.ShipFrozen = true;
    g_.S.ShipIntact = false;
    g_.S.ShipBlastFrame = 6;
    g_.S.GameOver = true;
    Frames(300);
    EXPECT_TRUE(g_.S.StageExit);
    EXPECT_EQ(g_.S.StageNo, 1);
}

TEST_F(StageFlowTest, GameOverPictureIsDrawnOverThePlayField) {
    StartGame();
    g_.MainScr.Resize(632, 404, kGround);
    g_.DrawGameOver();
    EXPECT_EQ(g_.MainScr.At(160, 175), kGround);  // not over: nothing
    EXPECT_EQ(g_.S.FrameDelay, 20);
    g_.S.GameOver = true;
    g_.DrawGameOver();
    EXPECT_EQ(g_.S.FrameDelay, 30);
    EXPECT_EQ(g_.MainScr.At(160, 175), kGameOverColour);
    EXPECT_EQ(g_.MainScr.At(479, 234), kGameOverColour);
    EXPECT_EQ(g_.MainScr.At(480, 175), kGround);
    EXPECT_EQ(g_.MainScr.At(251, 250), kWhite);
    EXPECT_EQ(g_.MainScr.At(405, 260), kWhite);
    EXPECT_EQ(g_.MainScr.At(251, 261), kGround);
}

TEST_F(StageFlowTest, ResetReturnsToTheTitleFromAnyState) {
    StartGame();
    g_.S.StageNo = 3;
    g_.S.SecondLap = true;
    g_.S.Score = 900;
    g_.S.GameOver = g_.S.NewRecord = true;
    g_.S.FrameDelay = 30;
    g_.S.StageExit = true;
    g_.SpecialBClick();
    g_.StopBClick();
    g_.MainScreenDblClick();
    SoundLog().clear();

    g_.ResetBClick();
    const GameState& s = g_.S;
    EXPECT_TRUE(s.TitleMode);
    EXPECT_FALSE(s.Paused);
    EXPECT_FALSE(s.GameOver);
    EXPECT_FALSE(s.NewRecord);
    EXPECT_FALSE(s.SecondLap);
    EXPECT_FALSE(s.Invincible);
    EXPECT_EQ(s.StageNo, 0);
    EXPECT_EQ(s.Score, 0);
    EXPECT_EQ(s.ShotsInFlight, 0);
    EXPECT_EQ(s.FrameDelay, 20);
    EXPECT_FALSE(s.Shell.LabelsVisible);
    EXPECT_FALSE(s.Shell.StatusPictureVisible);
    EXPECT_FALSE(s.Shell.GaugeVisible);
    EXPECT_EQ(s.Shell.MainScreenHeight, 434);
    EXPECT_FALSE(port_.Confined);
    EXPECT_EQ(SoundLog(), (Calls{"DmStop", "DmMake BGM\\Opening.mid", "DmPlay -1"}));

    StartGame();  // the next game is a fresh first lap
    EXPECT_EQ(g_.S.StageNo, 1);
    EXPECT_FALSE(g_.S.SecondLap);
}

TEST_F(StageFlowTest, MusicOffKeepsStageStartAndResetAwayFromTheLibrary) {
    Settings quiet;
    quiet.MusicOn = false;
    g_.InitGame(quiet);
    StartGame();
    ASSERT_TRUE(g_.StartStage(true));
    g_.MainScreenDblClick();
    g_.ResetBClick();
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(StageFlowTest, StageStartConfinesTheCursorOnlyWhenSoSet) {
    Settings loose;
    loose.MouseLock = false;
    g_.InitGame(loose);
    StartGame();
    EXPECT_EQ(port_.LockCalls, 1);
    EXPECT_FALSE(port_.Confined);
    g_.S.MouseLock = true;
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_TRUE(port_.Confined);
    g_.ResetBClick();
    EXPECT_FALSE(port_.Confined);
}

TEST_F(StageFlowTest, LaterStagesLeaveTheStatusBarAsItIs) {
    StartGame();
    g_.S.Shell.LabelsVisible = false;
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_FALSE(g_.S.Shell.LabelsVisible);
}

}  // namespace
}  // namespace sk::test
