// Key and pad steering: the target's steps, clamping and re-anchoring, when
// steering is off, the fire and continue rules, and the extras' stored forms.
#include "GameTestKit.h"

#include "game/Extras.h"
#include "game/Steering.h"

namespace sk::test {
namespace {

class SteeringTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        g_.S.ShipX = 120;
        g_.S.ShipY = 120;
    }
    Steering steer_{g_};
};

TEST_F(SteeringTest, AHeldDirectionStepsTheTargetFromTheShipAndStopsItOnRelease) {
    g_.S.TargetX = 600;  // left behind by the mouse
    g_.S.TargetY = 7;
    steer_.Hold({1, 0});
    steer_.Frame();
    EXPECT_EQ(g_.S.TargetX, 120 + Steering::kStep);
    EXPECT_EQ(g_.S.TargetY, 7);  // an axis not held keeps the mouse's target
    steer_.Frame();
    EXPECT_EQ(g_.S.TargetX, 120 + 2 * Steering::kStep);

    steer_.Hold({-1, 1});  // a turn starts again from the ship
    steer_.Frame();
    EXPECT_EQ(g_.S.TargetX, 120 - Steering::kStep);
    EXPECT_EQ(g_.S.TargetY, 120 + Steering::kStep);

    g_.S.ShipX = 96;
    steer_.Hold({});
    steer_.Frame();
    EXPECT_EQ(g_.S.TargetX, 96);
    EXPECT_EQ(g_.S.TargetY, 120);
}

TEST_F(SteeringTest, TheTargetCrossesTheFieldInAboutASecondAndStaysInThePointersRange) {
    g_.S.ShipX = 0;
    g_.S.ShipY = 0;
    steer_.Hold({1, 1});
    int frames = 0;
    while (g_.S.TargetX < 632 && frames < 1000) {
        steer_.Frame();
        ++frames;
    }
    EXPECT_GE(frames, 40);
    EXPECT_LE(frames, 60);
    EXPECT_EQ(g_.S.TargetY, 380);
    steer_.Frame();
    EXPECT_EQ(g_.S.TargetX, 632);

    steer_.Hold({-1, -1});
    g_.S.ShipX = 700;  // past the range, as during the exit flight
    steer_.Frame();
    EXPECT_EQ(g_.S.TargetX, 632 - Steering::kStep);
}

TEST_F(SteeringTest, NothingMovesOnTheTitlePausedInTheExitFlightOrAfterAHit) {
    steer_.Hold({1, 1});
    for (auto set : {&GameState::Paused, &GameState::AutoPilot, &GameState::ShipFrozen, &GameState::TitleMode}) {
        g_.S.TargetX = 5;
        g_.S.TargetY = 5;
        g_.S.*set = true;
        steer_.Frame();
        EXPECT_EQ(g_.S.TargetX, 5);
        EXPECT_EQ(g_.S.TargetY, 5);
        g_.S.*set = false;
    }
}

TEST_F(SteeringTest, FireAndContinueFollowTheButtonsAndTheDoubleClick) {
    steer_.FireSingle();
    EXPECT_EQ(g_.S.ShotsInFlight, 1);
    steer_.FireFan();
    EXPECT_EQ(g_.S.ShotsInFlight, 7);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 0);

    for (Actor& shot : g_.S.Shots) shot.Active = false;
    g_.S.ShotsInFlight = 0;
    g_.S.Paused = true;
    steer_.FireSingle();
    EXPECT_EQ(g_.S.ShotsInFlight, 0);
    g_.S.Paused = false;

    g_.S.Score = 500;
    steer_.Continue();  // not over: nothing
    EXPECT_EQ(g_.S.Score, 500);
    g_.S.GameOver = true;
    steer_.Continue();
    EXPECT_EQ(g_.S.Score, 0);
    EXPECT_FALSE(g_.S.GameOver);
}

TEST(Extras, StoredTextOutOfRangeReadsAsTheDefault) {
    EXPECT_TRUE(ParseExtraFlag("1", false));
    EXPECT_FALSE(ParseExtraFlag("0", true));
    EXPECT_TRUE(ParseExtraFlag("2", true));
    EXPECT_FALSE(ParseExtraFlag("yes", false));
    EXPECT_EQ(ParseZoom("3"), Zoom::X3);
    EXPECT_EQ(ParseZoom("4"), Zoom::FullScreen);
    EXPECT_EQ(ParseZoom("5"), Zoom::X1);
    EXPECT_EQ(ParseZoom("0"), Zoom::X1);
    EXPECT_EQ(ParseVolume("0"), 0);
    EXPECT_EQ(ParseVolume(" 40 "), 40);
    EXPECT_EQ(ParseVolume("101"), 100);
    EXPECT_EQ(ParseVolume("-1"), 100);
    EXPECT_EQ(ParseVolume(""), 100);
    EXPECT_EQ(ParseScaling("2"), FullScreenScaling::Fit);
    EXPECT_EQ(ParseScaling("3"), FullScreenScaling::Whole);
    EXPECT_EQ(ParseKeyCode("767", 30), 767);
    EXPECT_EQ(ParseKeyCode("768", 30), 30);
    EXPECT_EQ(ParseKeyCode("0", 30), 30);
    EXPECT_FLOAT_EQ(VolumeGain(100), 1.0f);
    EXPECT_FLOAT_EQ(VolumeGain(50), 0.25f);
    EXPECT_FLOAT_EQ(VolumeGain(0), 0.0f);
}

}  // namespace
}  // namespace sk::test
