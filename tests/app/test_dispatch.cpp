// Commands reach the window through one dispatch, from any caller, as their
// keys would; the window shows a change of the game's state at its next
// mirror, and before a message box or the name entry opens.
#include "ShellFixture.h"
#include "app/MainMenu.h"

#include <QAction>

using apptest::ShellTest;

TEST_F(ShellTest, DispatchRunsACommandOnlyWhereItsKeyWouldAndThenMirrors) {
    Start();
    Main().Dispatch(sk::MenuCommand::StartBot);
    ASSERT_FALSE(Game().S.TitleMode);
    const int stage = Game().S.StageNo;
    Main().Dispatch(sk::MenuCommand::StartBot);  // disabled during a game
    EXPECT_EQ(Game().S.StageNo, stage);
    Main().Dispatch(sk::MenuCommand::ScrollB);  // never enabled
    EXPECT_EQ(Game().S.ScrollSpeed, 2);

    Main().Dispatch(sk::MenuCommand::StopB);
    EXPECT_TRUE(Game().S.Paused);
    EXPECT_TRUE(Main().Menu().Item("StopB")->isChecked());

    Main().Dispatch(sk::MenuCommand::FullScreen);
    EXPECT_EQ(Main().Extras().ZoomMode, sk::Zoom::FullScreen);
    Main().Dispatch(sk::MenuCommand::FullScreen);
    EXPECT_EQ(Main().Extras().ZoomMode, sk::Zoom::X1);
}

TEST_F(ShellTest, AStateChangeShowsAtTheNextMirrorOrWhenAMessageBoxOpens) {
    Start();
    Main().Dispatch(sk::MenuCommand::StartBot);
    Game().StopBClick();  // straight into the game: marked, not yet shown
    EXPECT_FALSE(Main().Menu().Item("StopB")->isChecked());
    bool checkedBehindTheBox = false;
    sk::SetMessageBoxHook([&](QWidget*, sk::BoxKind, const QString&, const QString&) {
        checkedBehindTheBox = Main().Menu().Item("StopB")->isChecked();
    });
    Main().ShowMessage({sk::text::kLapCaption, sk::text::kLapNormal, {}});
    EXPECT_TRUE(checkedBehindTheBox);

    Game().StopBClick();
    Main().Mirror();
    EXPECT_FALSE(Main().Menu().Item("StopB")->isChecked());
}
