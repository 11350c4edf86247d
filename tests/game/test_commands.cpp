// Menu states, the pause rules and the settings dialog's exchange.
#include "GameTestKit.h"

namespace sk::test {
namespace {

using CommandTest = GameTest;

void ExpectItem(const MenuItemState& item, bool visible, bool enabled, bool checked, const char* name) {
    SCOPED_TRACE(name);
    EXPECT_EQ(item.Visible, visible);
    EXPECT_EQ(item.Enabled, enabled);
    EXPECT_EQ(item.Checked, checked);
}

TEST_F(CommandTest, MenuStatesAtStartUpDuringAGameAndAfterAReset) {
    const ShellState& shell = g_.S.Shell;
    ExpectItem(shell.StartBot, true, true, false, "StartBot");
    ExpectItem(shell.StopB, false, true, false, "StopB");
    ExpectItem(shell.ResetB, true, true, false, "ResetB");
    ExpectItem(shell.HScoreB, true, true, false, "HScoreB");
    ExpectItem(shell.ScrollB, false, false, false, "ScrollB");
    ExpectItem(shell.SpecialB, false, false, false, "SpecialB");
    EXPECT_TRUE(shell.DifficultyEnabled);
    EXPECT_EQ(shell.DifficultyHint, "難易度の設定");
    EXPECT_FALSE(shell.LabelsVisible);
    EXPECT_FALSE(shell.StatusPictureVisible);

    StartGame();
    ExpectItem(shell.StartBot, false, false, false, "StartBot");
    ExpectItem(shell.StopB, true, true, false, "StopB");
    ExpectItem(shell.ResetB, true, true, false, "ResetB");
    ExpectItem(shell.HScoreB, false, false, false, "HScoreB");
    EXPECT_FALSE(shell.DifficultyEnabled);
    EXPECT_EQ(shell.DifficultyHint, "タイトル画面時に設定してください");

    g_.StopBClick();
    g_.ResetBClick();
    ExpectItem(shell.StartBot, true, true, false, "StartBot");
    ExpectItem(shell.StopB, false, false, false, "StopB");
    ExpectItem(shell.ResetB, true, true, false, "ResetB");
    ExpectItem(shell.HScoreB, true, true, false, "HScoreB");
    EXPECT_TRUE(shell.DifficultyEnabled);
    EXPECT_EQ(shell.DifficultyHint, "難易度の設定");
    EXPECT_FALSE(g_.S.Paused);
    EXPECT_GT(port_.StateChanges, 0);
}

TEST_F(CommandTest, PauseOnTheTitleCarriesIntoTheNextGame) {
    g_.StopBClick();
    EXPECT_TRUE(g_.S.Paused);
    EXPECT_TRUE(g_.S.Shell.StopB.Checked);
    StartGame();
    EXPECT_TRUE(g_.S.Paused);
    ExpectItem(g_.S.Shell.StopB, true, true, true, "StopB");
    EXPECT_EQ(g_.AppIdle(), -1);
    g_.StopBClick();
    EXPECT_FALSE(g_.S.Shell.StopB.Checked);
    EXPECT_EQ(g_.AppIdle(), 20);
}

TEST_F(CommandTest, StartDuringAGameDoesNothing) {
    StartGame();
    Frames(10);
    SoundLog().clear();
    g_.StartBotClick();
    EXPECT_EQ(g_.S.StageNo, 1);
    EXPECT_EQ(g_.S.ScrollX, 20);
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(CommandTest, DialogsPauseAndTheirCloseResumesEvenAfterAPlayerPause) {
    StartGame();
    g_.StopBClick();
    g_.PauseForDialog();
    EXPECT_TRUE(g_.S.Paused);
    EXPECT_TRUE(g_.S.Shell.StopB.Checked);
    g_.ResumeGame();
    EXPECT_FALSE(g_.S.Paused);
    EXPECT_FALSE(g_.S.Shell.StopB.Checked);

    g_.PauseForDialog();
    g_.TransferSettingsFromDialog(1, true, true, true);
    EXPECT_FALSE(g_.S.Paused);
    EXPECT_FALSE(g_.S.Shell.StopB.Checked);
}

TEST_F(CommandTest, HiddenCommandsSetFastScrollAndInvincibility) {
    StartGame();
    g_.ScrollBClick();
    EXPECT_EQ(g_.S.ScrollSpeed, 16);
    Frames(1);
    EXPECT_EQ(g_.S.ScrollX, 16);
    g_.SpecialBClick();
    EXPECT_TRUE(g_.S.Invincible);
}

TEST_F(CommandTest, DialogOkAppliesItsOwnSpeedTable) {
    struct Case { int index; int stage; int difficulty; int shotSpeed; int speed; };
    const Case cases[] = {
        {0, 0, 2, 3, 3},      // 2 raised to the minimum 3
        {1, 0, 4, 6, 4},
        {2, 0, 9, 9, 9},
        {0, 1, 2, 4, 3},
        {0, 3, 2, 6, 5},
        {2, 3, 9, 15, 12},    // 2 x stage + 9, not stage + 13
        {2, 4, 9, 17, 13},    // where both tables agree
        {1, 6, 4, 12, 10},
    };
    for (const Case& c : cases) {
        g_.S.StageNo = c.stage;
        g_.TransferSettingsFromDialog(c.index, true, true, true);
        EXPECT_EQ(g_.S.Difficulty, c.difficulty);
        EXPECT_EQ(g_.S.EnemyShotSpeed, c.shotSpeed);
        EXPECT_EQ(g_.S.EnemySpeed, c.speed);
        EXPECT_EQ(g_.S.Shell.DifficultyIndex, c.index);
    }
    g_.S.EnemySpeed = 2;
    g_.S.EnemyShotSpeed = 1;
    g_.S.Difficulty = 7;
    g_.TransferSettingsFromDialog(-1, true, true, true);  // nothing selected
    EXPECT_EQ(g_.S.Difficulty, 7);
    EXPECT_EQ(g_.S.EnemyShotSpeed, 1);
    EXPECT_EQ(g_.S.EnemySpeed, 3);
}

TEST_F(CommandTest, DialogOkStoresTheBoxesButMusicWaitsForTheNextRun) {
    g_.TransferSettingsFromDialog(1, false, false, false);
    EXPECT_FALSE(g_.S.MusicOnNext);
    EXPECT_TRUE(g_.S.MusicOn);
    EXPECT_FALSE(g_.S.SoundOn);
    EXPECT_FALSE(g_.S.MouseLock);
    EXPECT_EQ(port_.LockCalls, 1);
    EXPECT_FALSE(port_.Confined);

    g_.TransferSettingsFromDialog(1, true, true, true);
    EXPECT_EQ(port_.LockCalls, 2);
    EXPECT_TRUE(port_.Confined);

    StartGame();
    g_.TransferSettingsFromDialog(1, true, false, true);
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(CountCalls("DsPlay 0"), 0);  // effects off at once
}

TEST_F(CommandTest, HardChosenInTheDialogDuringAGameLastsUntilTheNextStage) {
    g_.S.Shell.DifficultyIndex = 2;
    StartGame();
    ASSERT_TRUE(g_.StartStage(true));  // stage 2 on Hard: 15 and 11
    EXPECT_EQ(g_.S.EnemyShotSpeed, 15);
    g_.TransferSettingsFromDialog(2, true, true, true);
    EXPECT_EQ(g_.S.EnemyShotSpeed, 13);
    ASSERT_TRUE(g_.StartStage(true));
    EXPECT_EQ(g_.S.EnemyShotSpeed, 16);
}

TEST_F(CommandTest, DialogOpensOnTheItemForTheStoredDifficulty) {
    const std::pair<int, int> cases[] = {{2, 0}, {4, 1}, {9, 2}};
    for (auto [code, item] : cases) {
        g_.S.Difficulty = code;
        g_.TransferSettingsToDialog();
        EXPECT_EQ(g_.S.Shell.DifficultyIndex, item);
    }
    g_.S.Difficulty = 7;
    g_.TransferSettingsToDialog();
    EXPECT_EQ(g_.S.Shell.DifficultyIndex, 2);
}

TEST_F(CommandTest, CancelledChoiceStillDecidesTheNextGame) {
    g_.S.Shell.DifficultyIndex = 2;  // selected, then the dialog cancelled
    StartGame();
    EXPECT_EQ(g_.S.Difficulty, 9);
    EXPECT_EQ(g_.S.EnemySpeed, 10);
    EXPECT_EQ(g_.S.EnemyShotSpeed, 14);
}

TEST_F(CommandTest, DoubleClickOnTheTitleOrDuringPlayDoesNothing) {
    g_.MainScreenDblClick();
    EXPECT_TRUE(g_.S.TitleMode);
    EXPECT_EQ(g_.S.StageNo, 0);
    StartGame();
    g_.S.Score = 400;
    g_.MainScreenDblClick();
    EXPECT_EQ(g_.S.Score, 400);
}

}  // namespace
}  // namespace sk::test
