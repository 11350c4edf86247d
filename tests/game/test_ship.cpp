// The ship: steering, firing, the fan, its movement, its drawing and its shots.
#include "GameTestKit.h"

namespace sk::test {
namespace {

class ShipTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        SoundLog().clear();
    }
};

TEST_F(ShipTest, PointerSetsTargetSixteenPixelsUpLeftClampedToTheField) {
    g_.MainScreenMouseMove(5, 5);
    EXPECT_EQ(g_.S.TargetX, 0);
    EXPECT_EQ(g_.S.TargetY, 0);
    g_.MainScreenMouseMove(700, 500);
    EXPECT_EQ(g_.S.TargetX, 632);
    EXPECT_EQ(g_.S.TargetY, 380);
    g_.MainScreenMouseMove(100, 50);
    EXPECT_EQ(g_.S.TargetX, 84);
    EXPECT_EQ(g_.S.TargetY, 34);
    g_.MainScreenMouseMove(647, 395);
    EXPECT_EQ(g_.S.TargetX, 631);
    EXPECT_EQ(g_.S.TargetY, 379);
}

TEST_F(ShipTest, ShipRestsShortOfATargetOnTheRightAndPastOneOnTheLeft) {
    g_.S.ShipX = 12;
    g_.S.TargetX = 15;
    g_.S.ShipY = 120;
    g_.S.TargetY = 120;
    for (int i = 0; i < 3; ++i) g_.MoveShip();
    EXPECT_EQ(g_.S.ShipX, 12);

    g_.S.ShipX = 20;
    g_.MoveShip();
    EXPECT_EQ(g_.S.ShipX, 14);
    g_.MoveShip();
    EXPECT_EQ(g_.S.ShipX, 14);

    g_.S.ShipY = 120;
    g_.S.TargetY = 150;
    g_.MoveShip();
    EXPECT_EQ(g_.S.ShipY, 126);
}

TEST_F(ShipTest, StageStartsTheShipAtTwelveOneTwentyDriftingToTheCorner) {
    EXPECT_EQ(g_.S.ShipX, 12);
    EXPECT_EQ(g_.S.ShipY, 120);
    EXPECT_EQ(g_.S.ShipSpeed, 6);
    Frames(1);
    EXPECT_EQ(g_.S.ShipX, 6);
    EXPECT_EQ(g_.S.ShipY, 114);
}

TEST_F(ShipTest, ShipReachesTheExitPointExactlyFromAnyPlaceItCanBe) {
    for (int x : {0, 6, 318, 630}) {
        for (int y : {0, 186, 378}) {
            g_.S.ShipX = x;
            g_.S.ShipY = y;
            g_.S.TargetX = 636;
            g_.S.TargetY = 186;
            for (int i = 0; i < 200; ++i) g_.MoveShip();
            EXPECT_EQ(g_.S.ShipX, 636);
            EXPECT_EQ(g_.S.ShipY, 186);
        }
    }
}

TEST_F(ShipTest, FrozenShipIsNeitherMovedNorDrawn) {
    g_.MainScr.Resize(632, 404, kGround);
    g_.S.ShipFrozen = true;
    g_.S.ShipX = 100;
    g_.S.ShipY = 100;
    g_.S.TargetX = 300;
    g_.MoveShip();
    EXPECT_EQ(g_.S.ShipX, 100);
    EXPECT_EQ(g_.MainScr.At(105, 105), kGround);
}

TEST_F(ShipTest, ShipIsDrawnThroughItsMask) {
    g_.MainScr.Resize(632, 404, kGround);
    g_.S.ShipX = g_.S.TargetX = 120;
    g_.S.ShipY = g_.S.TargetY = 60;
    g_.MoveShip();
    EXPECT_EQ(g_.MainScr.At(120, 60), kShipColour);
    EXPECT_EQ(g_.MainScr.At(120 + kShipOpaqueW - 1, 89), kShipColour);
    EXPECT_EQ(g_.MainScr.At(120 + kShipOpaqueW, 60), kGround);   // transparent part
    EXPECT_EQ(g_.MainScr.At(178, 89), kGround);
    EXPECT_EQ(g_.MainScr.At(119, 60), kGround);
    EXPECT_EQ(g_.MainScr.At(120, 90), kGround);
}

TEST_F(ShipTest, LeftButtonArmsTheLowestFreeSlotAtTheShipsNose) {
    g_.S.ShipX = 60;
    g_.S.ShipY = 90;
    g_.S.Shots[0].Active = true;
    g_.S.ShotsInFlight = 1;
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    const Actor& shot = g_.S.Shots[1];
    EXPECT_TRUE(shot.Active);
    EXPECT_EQ(shot.X, 103);
    EXPECT_EQ(shot.Y, 100);
    EXPECT_FALSE(g_.S.Shots[2].Active);
    EXPECT_EQ(g_.S.ShotsInFlight, 2);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294 - 84);
    EXPECT_EQ(SoundLog(), std::vector<std::string>{"DsPlay 0"});
}

TEST_F(ShipTest, RightButtonFillsTheFreeSlotsOfTheFanOneStepBehind) {
    g_.S.ShipX = 60;
    g_.S.ShipY = 150;
    g_.MainScreenMouseDown(MouseButton::Right, 0, 0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(g_.S.Shots[i].Active);
        EXPECT_EQ(g_.S.Shots[i].X, 60 + 43 - 24);
        EXPECT_EQ(g_.S.Shots[i].Y, 150 - 48 + 16 * i);
    }
    EXPECT_EQ(g_.S.ShotsInFlight, 7);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 0);
    EXPECT_EQ(SoundLog(), std::vector<std::string>{"DsPlay 0"});
}

TEST_F(ShipTest, RightButtonLeavesShotsInFlightWhereTheyAre) {
    g_.S.ShipX = 60;
    g_.S.ShipY = 150;
    for (int i = 0; i < 3; ++i) {
        g_.S.Shots[i] = Actor{};
        g_.S.Shots[i].X = 500;
        g_.S.Shots[i].Y = 7;
        g_.S.Shots[i].Active = true;
    }
    g_.S.ShotsInFlight = 3;
    g_.MainScreenMouseDown(MouseButton::Right, 0, 0);
    EXPECT_EQ(g_.S.Shots[0].X, 500);
    EXPECT_EQ(g_.S.Shots[2].Y, 7);
    EXPECT_EQ(g_.S.Shots[3].Y, 150);
    EXPECT_EQ(g_.S.Shots[4].Y, 166);
    EXPECT_EQ(g_.S.Shots[5].Y, 182);
    EXPECT_EQ(g_.S.Shots[6].Y, 198);
    EXPECT_EQ(g_.S.ShotsInFlight, 7);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 0);
}

TEST_F(ShipTest, RefusedPressesStillRefreshTheGauge) {
    // all seven in flight
    for (Actor& shot : g_.S.Shots) shot.Active = true;
    g_.S.ShotsInFlight = 7;
    g_.S.Shell.GaugeWidth = 123;
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 0);
    EXPECT_TRUE(SoundLog().empty());

    // paused
    for (Actor& shot : g_.S.Shots) shot.Active = false;
    g_.S.ShotsInFlight = 2;
    g_.S.Paused = true;
    g_.S.Shell.GaugeWidth = 123;
    g_.MainScreenMouseDown(MouseButton::Right, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 2);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294 - 84);
    EXPECT_TRUE(SoundLog().empty());

    // a button that fires nothing
    g_.S.Paused = false;
    g_.S.Shell.GaugeWidth = 123;
    g_.MainScreenMouseDown(MouseButton::Middle, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 2);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294 - 84);
}

TEST_F(ShipTest, HitShipOrTitleScreenIgnoresPressesEntirely) {
    g_.S.ShipHit = true;
    g_.S.Shell.GaugeWidth = 123;
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    g_.MainScreenMouseDown(MouseButton::Right, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 0);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 123);

    g_.S.ShipHit = false;
    g_.S.TitleMode = true;
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 0);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 123);
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(ShipTest, ShotSoundFollowsTheEffectsSettingAndTheBlastLock) {
    g_.S.SoundOn = false;
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    g_.S.SoundOn = true;
    g_.S.BlastSoundLock = true;
    g_.MainScreenMouseDown(MouseButton::Right, 0, 0);
    EXPECT_TRUE(SoundLog().empty());
    EXPECT_EQ(g_.S.ShotsInFlight, 7);
}

TEST_F(ShipTest, ShotsFireDuringTheExitFlight) {
    g_.S.AutoPilot = true;
    g_.S.StageExit = true;
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 1);
}

TEST_F(ShipTest, ShotFliesTwentyFourAndIsFreedPastSixForty) {
    g_.MainScr.Resize(632, 404, kGround);
    Actor& shot = g_.S.Shots[3];
    shot.X = 600;
    shot.Y = 50;
    shot.Active = true;
    g_.S.ShotsInFlight = 1;
    g_.MoveShot(3);
    EXPECT_EQ(shot.X, 624);
    EXPECT_TRUE(shot.Active);
    EXPECT_EQ(g_.MainScr.At(625, 51), kShotColour);

    g_.MoveShot(3);  // to 648: drawn outside, freed
    EXPECT_FALSE(shot.Active);
    EXPECT_EQ(shot.X, 640);
    EXPECT_EQ(shot.Y, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 0);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294);

    shot.X = 617;  // 641 after the step: freed; gauge empty while the game is over
    shot.Active = true;
    g_.S.ShotsInFlight = 1;
    g_.S.GameOver = true;
    g_.MoveShot(3);
    EXPECT_FALSE(shot.Active);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 0);

    shot.X = 616;  // exactly 640 stays
    shot.Active = true;
    g_.MoveShot(3);
    EXPECT_TRUE(shot.Active);
}

}  // namespace
}  // namespace sk::test
