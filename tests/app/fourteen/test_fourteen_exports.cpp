// The program against a sonobox built to its fourteen exports alone: this
// test program links that copy, so it links and starts as the game would.
// There is no gain or language hook to find: the volumes stay where they
// are, and so do the library's texts.
#include "app/AppWindows.h"
#include "game/Extras.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

TEST(FourteenExports, TheGameStartsAndPlaysAtFixedVolume) {
    TMainForm::Hooks hooks;  // the library itself, not recorders
    std::vector<int> exitCodes;
    hooks.ExitProcess = [&exitCodes](int code) { exitCodes.push_back(code); };
    EXPECT_EQ(hooks.Sound.SetGains, nullptr);
    EXPECT_EQ(hooks.Sound.SetLanguage, nullptr);

    AppWindows windows(hooks);
    TMainForm& main = windows.MainForm;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(main.SoundHooks().SetGains, nullptr);
    sk::ExtraSettings quieter = main.Extras();
    quieter.MusicVolume = 30;
    quieter.EffectVolume = 10;
    main.ApplyExtras(quieter);  // nothing to call: the volumes stay

    main.StartBotClick();
    ASSERT_FALSE(main.game().S.TitleMode);
    main.game().MainScreenMouseDown(sk::MouseButton::Left, 0, 0);  // the shot's effect
    EXPECT_EQ(main.game().S.ShotsInFlight, 1);
    QTest::qWait(100);  // frames run
    main.close();
    EXPECT_EQ(exitCodes, std::vector<int>{0});
}
