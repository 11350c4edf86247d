// The idle call: which frame runs, the order a play frame composes in, the
// scroll with its end and exit tests, and the title bands.
#include "GameTestKit.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace sk::test {
namespace {

class FrameTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        ClearField();
        g_.S.Invincible = true;
        // Tiles scattered over the ground, no two neighbouring stretches alike.
        for (int r = 0; r < g_.S.MapRows; ++r) {
            for (int c = 0; c < g_.S.MapCols; ++c) g_.S.StageMap[r][c] = (c * 7 + r * 3) % 11 < 3 ? 1 : 0;
        }
    }
    std::uint32_t BackAt(int x, int y) const { return g_.BackHai.At(x, y); }
    void Shoot(int slot, int x, int y) {
        g_.S.Shots[slot].X = x;
        g_.S.Shots[slot].Y = y;
        g_.S.Shots[slot].Active = true;
        ++g_.S.ShotsInFlight;
    }
    void EnemyShoot(int k, int x, int y) {
        g_.S.EnemyShots[k].X = x;
        g_.S.EnemyShots[k].Y = y;
        g_.S.EnemyShots[k].Active = true;
    }
};

TEST_F(FrameTest, IdleCallRunsPlayTitleOrNothing) {
    EXPECT_EQ(g_.AppIdle(), 20);
    EXPECT_EQ(g_.S.ScrollX, 2);

    g_.StopBClick();
    EXPECT_EQ(g_.AppIdle(), -1);
    EXPECT_EQ(g_.S.ScrollX, 2);

    g_.ResetBClick();
    g_.StopBClick();  // pause on the title: the title still moves
    ASSERT_TRUE(g_.S.Paused);
    const int band = g_.S.TitleBandX[3];
    EXPECT_EQ(g_.AppIdle(), 20);
    EXPECT_EQ(g_.S.TitleBandX[3], band + 4);
}

TEST_F(FrameTest, WaitIsThirtyFromTheFrameTheGameEnds) {
    g_.S.GameOver = true;
    EXPECT_EQ(g_.AppIdle(), 30);
}

TEST_F(FrameTest, PausedGameDrawsAndMovesNothing) {
    Frames(3);
    g_.StopBClick();
    const GameState before = g_.S;
    const std::vector<std::uint32_t> screen = g_.TitleScreen.Pixels;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g_.AppIdle(), -1);
    EXPECT_EQ(g_.S.ScrollX, before.ScrollX);
    EXPECT_EQ(g_.S.ShipX, before.ShipX);
    EXPECT_EQ(g_.TitleScreen.Pixels, screen);
}

TEST_F(FrameTest, BackgroundShipEnemiesShotsEnemyShotsGameOverInThatOrder) {
    g_.S.ScrollX = 100;
    g_.S.ShipX = g_.S.TargetX = 120;
    g_.S.ShipY = g_.S.TargetY = 100;
    // enemy over the ship
    PlaceEnemy(1, 140 + g_.S.EnemySpeed, 100);
    g_.S.EnemyShots[1].Active = true;
    g_.S.EnemyShots[1].X = -40;  // busy: this enemy does not fire
    // a player shot that lands on an enemy but was clear of it before its step
    PlaceEnemy(2, 300 + g_.S.EnemySpeed, 250);
    g_.S.Enemies[2].Param = 0;
    g_.S.EnemyShots[2].Active = true;
    g_.S.EnemyShots[2].X = -40;
    Shoot(0, 262, 260);
    // an explosion over an enemy that moved this frame
    PlaceEnemy(7, 500 + g_.S.EnemySpeed, 320);
    g_.S.EnemyShots[7].Active = true;
    g_.S.EnemyShots[7].X = -40;
    g_.S.Enemies[5].Destroyed = g_.S.Enemies[5].Exploding = true;
    g_.S.Enemies[5].X = 510;
    g_.S.Enemies[5].Y = 300;
    // a player shot under an enemy shot
    Shoot(1, 400 - 24, 50);
    EnemyShoot(3, 404 + g_.S.EnemyShotSpeed, 52);
    // an enemy shot under the game-over picture
    EnemyShoot(4, 200 + g_.S.EnemyShotSpeed, 190);
    g_.S.GameOver = true;

    g_.AppIdle();
    const Bitmap& scr = g_.MainScr;
    EXPECT_EQ(scr.At(10, 10), BackAt(110, 10));
    EXPECT_NE(scr.At(10, 10), BackAt(10, 10));
    EXPECT_EQ(scr.At(125, 105), kShipColour);
    EXPECT_EQ(scr.At(145, 105), EnemyColour(1));
    EXPECT_TRUE(g_.S.Enemies[2].Active);
    EXPECT_EQ(scr.At(290, 262), kShotColour);
    EXPECT_EQ(scr.At(320, 262), EnemyColour(2));
    EXPECT_EQ(scr.At(505, 325), EnemyColour(7));
    EXPECT_EQ(scr.At(515, 325), BlastColour(1));
    EXPECT_EQ(scr.At(402, 52), kShotColour);
    EXPECT_EQ(scr.At(406, 54), kEnemyShotColour);
    EXPECT_EQ(scr.At(202, 192), kGameOverColour);
    EXPECT_EQ(scr.At(251, 250), kWhite);
    // The window shows the composed frame.
    EXPECT_EQ(&g_.Screen(), &g_.MainScr);
}

TEST_F(FrameTest, ShotsAreTestedWhereTheyWereBeforeTheirStep) {
    PlaceEnemy(7, 300 + g_.S.EnemySpeed, 200);
    g_.S.EnemyShots[7].Active = true;
    g_.S.EnemyShots[7].X = -40;
    Shoot(0, 300 + 62, 210);  // inside now, past the enemy after its step
    Shoot(1, 300 - 17 - 24, 210);  // outside now, inside after its step
    Frames(1);
    EXPECT_TRUE(g_.S.Enemies[7].Destroyed);
    EXPECT_FALSE(g_.S.Shots[0].Active);
    EXPECT_TRUE(g_.S.Shots[1].Active);
    EXPECT_EQ(g_.S.Shots[1].X, 300 - 17);
}

TEST_F(FrameTest, ShotsMeetEnemiesWhereTheEnemiesAreThisFrame) {
    PlaceEnemy(8, 300 + g_.S.EnemySpeed, 200);
    g_.S.EnemyShots[8].Active = true;
    g_.S.EnemyShots[8].X = -40;
    Shoot(0, 300 - 16, 210);  // inside the box of the moved enemy only
    PlaceEnemy(9, 100 + g_.S.EnemySpeed, 100);
    g_.S.EnemyShots[9].Active = true;
    g_.S.EnemyShots[9].X = -40;
    Shoot(1, 100 + g_.S.EnemySpeed + 62, 110);  // inside the box of the enemy before its step only
    Frames(1);
    EXPECT_TRUE(g_.S.Enemies[8].Destroyed);
    EXPECT_FALSE(g_.S.Enemies[9].Destroyed);
}

TEST_F(FrameTest, FirstPlayFrameShowsTheStatusPicture) {
    g_.S.Shell.StatusPictureVisible = false;
    Frames(1);
    EXPECT_TRUE(g_.S.Shell.StatusPictureVisible);
}

TEST_F(FrameTest, ScrollBackgroundPlacesTheStartAfterTheEnd) {
    const int width = g_.BackHai.Width;
    g_.S.ScrollX = width - 600;
    g_.ScrollBackground();
    for (int y = 0; y < 404; ++y) {
        for (int x = 0; x < 632; ++x) {
            ASSERT_EQ(g_.MainScr.At(x, y), BackAt(x < 600 ? width - 600 + x : x - 600, y)) << x << "," << y;
        }
    }
}

TEST_F(FrameTest, MapsSmallerThanTheFieldLeaveBlackNotTheLastFrame) {
    for (const auto [cols, rows] : {std::pair{12, 10}, std::pair{40, 12}, std::pair{5, 20}}) {
        WriteStage(1, cols, rows);
        ASSERT_TRUE(g_.StartStage(false));
        constexpr std::uint32_t kStale = 0x00ABCDEF;  // what earlier frames left
        g_.MainScr.Resize(632, 404, kStale);
        g_.ScrollBackground();
        const int w = std::min(cols * 32, 632), h = std::min(rows * 32, 404);
        EXPECT_EQ(g_.MainScr.At(w - 1, h - 1), kGround) << cols << "x" << rows;
        EXPECT_EQ(g_.MainScr.At(631, 403), kBlack) << cols << "x" << rows;
        EXPECT_EQ(g_.MainScr.At(w % 632, h - 1), w < 632 ? kBlack : g_.BackHai.At(0, h - 1)) << cols << "x" << rows;
        EXPECT_EQ(g_.MainScr.At(0, h % 404), h < 404 ? kBlack : g_.BackHai.At(0, 0)) << cols << "x" << rows;
    }
}

TEST_F(FrameTest, ScrollStopsExactlyAtTheEndAndTheExitWaitsForAClearField) {
    PlaceEnemy(1, 640, 75);
    g_.S.Enemies[1].AppearAt = 100000;  // released only at the end: holds the stage there
    const int end = g_.BackHai.Width - 640;
    int frames = 0;
    while (!g_.S.ScrollEnd && frames < 1000) {
        Frames(1);
        ++frames;
    }
    EXPECT_EQ(frames, end / 2);
    EXPECT_EQ(g_.S.ScrollX, end);
    EXPECT_EQ(g_.S.ScrollSpeed, 0);
    Frames(20);
    EXPECT_EQ(g_.S.ScrollX, end);
    EXPECT_FALSE(g_.S.StageExit);

    g_.S.Enemies[1].Active = false;
    g_.S.EnemyShots[1].Active = false;  // fired when it was released
    EnemyShoot(6, 600, 10);
    Frames(1);
    EXPECT_FALSE(g_.S.StageExit);
    g_.S.EnemyShots[6].Active = false;
    Frames(1);
    EXPECT_TRUE(g_.S.StageExit);
    EXPECT_TRUE(g_.S.AutoPilot);
    EXPECT_EQ(g_.S.TargetX, 636);
    EXPECT_EQ(g_.S.TargetY, 186);
}

TEST_F(FrameTest, ExitFlightStartsTheNextStageWhenTheShipReachesSixThirtySix) {
    g_.S.ScrollX = g_.BackHai.Width - 640;
    g_.S.ShipX = 624;
    g_.S.ShipY = g_.S.TargetY = 186;
    g_.S.TargetX = 636;
    Frames(1);  // 630; end reached, exit flight set
    ASSERT_TRUE(g_.S.StageExit);
    EXPECT_EQ(g_.S.ShipX, 630);
    EXPECT_EQ(g_.S.StageNo, 1);
    Frames(1);  // 636: next stage
    EXPECT_EQ(g_.S.StageNo, 2);
    EXPECT_FALSE(g_.S.StageExit);
    EXPECT_FALSE(g_.S.AutoPilot);
    EXPECT_EQ(g_.S.ScrollX, 0);
    EXPECT_EQ(g_.S.ShipX, 12);
}

TEST_F(FrameTest, NarrowBackgroundEndsItsScrollInTheFirstFrame) {
    WriteStage(2, 20, 13);
    g_.S.ScrollX = g_.BackHai.Width - 640;
    g_.S.ShipX = 630;
    g_.S.ShipY = 186;
    g_.S.StageExit = g_.S.AutoPilot = true;
    g_.S.TargetX = 636;
    g_.S.TargetY = 186;
    Frames(1);
    ASSERT_EQ(g_.S.StageNo, 2);
    EXPECT_EQ(g_.BackHai.Width, 640);
    EXPECT_TRUE(g_.S.ScrollEnd);  // the end test of the same frame sees the new stage
    EXPECT_EQ(g_.S.ScrollSpeed, 0);
}

// Maps too narrow for the scroll to reach every slot's release point.
TEST_F(FrameTest, EveryMapEndsHoweverNarrow) {
    for (const int cols : {1, 19, 25, 29}) {
        WriteAllStages(cols, 13);
        g_.ResetGame();
        StartGame();
        g_.S.Invincible = true;
        int frames = 0;
        while (g_.S.StageNo == 1 && frames < 4000) {
            Frames(1);
            ++frames;
        }
        EXPECT_EQ(g_.S.StageNo, 2) << cols << " columns";
    }
}

TEST_F(FrameTest, WorldRunsOnAfterTheGameIsOver) {
    g_.S.GameOver = true;
    g_.S.ShipHit = g_.S.ShipFrozen = true;
    g_.S.ShipIntact = false;
    g_.S.ShipBlastFrame = 6;
    PlaceEnemy(1, 400, 100);
    Frames(3);
    EXPECT_EQ(g_.S.ScrollX, 6);
    EXPECT_EQ(g_.S.Enemies[1].X, 400 - 3 * g_.S.EnemySpeed);
    EXPECT_EQ(g_.S.ShipBlastFrame, 9);
}

class TitleTest : public GameTest {};

TEST_F(TitleTest, StartUpShowsTheWholeTitlePicture) {
    for (int y : {0, 200, 433}) {
        for (int x : {0, 631}) EXPECT_EQ(g_.TitleScreen.At(x, y), LogoPixel(x, y));
    }
    EXPECT_EQ(g_.S.TitleBandX, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

TEST_F(TitleTest, BandsMoveLeftAtTheirOwnSpeedsAndWrapAtSixForty) {
    Frames(1);
    EXPECT_EQ(g_.S.TitleBandX, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
    g_.S.TitleBandX = {5, 638, 637, 636};
    Frames(1);
    EXPECT_EQ(g_.S.TitleBandX, (std::array<std::int32_t, 4>{6, 0, 0, 0}));
    g_.S.TitleBandX = {639, 637, 636, 635};
    Frames(1);
    EXPECT_EQ(g_.S.TitleBandX, (std::array<std::int32_t, 4>{0, 639, 639, 639}));

    // drawn with offsets 5, 639, 636, 100
    g_.TitleScreen.Resize(632, 434, kGround);
    g_.S.TitleBandX = {5, 639, 636, 100};
    g_.TitleFrame();
    const Bitmap& s = g_.TitleScreen;
    EXPECT_EQ(s.At(0, 0), LogoPixel(5, 0));            // top band from column 5
    EXPECT_EQ(s.At(626, 39), LogoPixel(631, 39));
    EXPECT_EQ(s.At(631, 0), LogoPixel(0, 0));          // its start placed at 636 - 5
    EXPECT_EQ(s.At(0, 40), LogoPixel(3, 40));          // offset 639: the start lands at -3
    EXPECT_EQ(s.At(100, 40), LogoPixel(103, 40));
    EXPECT_EQ(s.At(0, 99), LogoPixel(0, 99));          // logo band stands still
    EXPECT_EQ(s.At(631, 254), LogoPixel(631, 254));
    EXPECT_EQ(s.At(0, 255), LogoPixel(0, 255));        // offset 636: the start at 0
    EXPECT_EQ(s.At(0, 355), LogoPixel(100, 355));      // bottom band from column 100
    EXPECT_EQ(s.At(536, 433), LogoPixel(0, 433));
    EXPECT_EQ(s.At(531, 400), LogoPixel(631, 400));
}

TEST_F(TitleTest, TheFourColumnsPastThePictureAreBlackWhereverTheBandStands) {
    g_.TitleScreen.Resize(632, 434, kGround);
    g_.S.TitleBandX = {5, 639, 636, 100};
    g_.TitleFrame();
    const Bitmap& s = g_.TitleScreen;
    auto blackRun = [&](int y, int from, int to) {
        for (int x = from; x < to; ++x) EXPECT_EQ(s.At(x, y), kBlack) << x << "," << y;
    };
    blackRun(0, 627, 631);  // offset 5: the gap lies before the band's start
    EXPECT_EQ(s.At(626, 0), LogoPixel(631, 0));
    blackRun(40, 629, 632);  // offset 639: the gap is the first copy's end
    blackRun(98, 629, 632);
    EXPECT_EQ(s.At(628, 40), LogoPixel(631, 40));
    EXPECT_EQ(s.At(631, 300), LogoPixel(631, 300));
    blackRun(433, 532, 536);  // offset 100
    EXPECT_EQ(s.At(531, 433), LogoPixel(631, 433));
    for (int y = 0; y < 434; ++y) {
        for (int x = 0; x < 632; ++x) ASSERT_NE(s.At(x, y), kGround) << x << "," << y;
    }
}

TEST_F(TitleTest, ResetKeepsTheBandsWhereTheyWere) {
    Frames(7);
    StartGame();
    g_.ResetBClick();
    EXPECT_EQ(g_.S.TitleBandX, (std::array<std::int32_t, 4>{7, 14, 21, 28}));
}

// What the window must show again after each idle call.
TEST_F(TitleTest, EachIdleCallSaysWhichRowsOfTheScreenChanged) {
    using Spans = std::vector<std::pair<int, int>>;
    auto changed = [&] {
        Spans spans;
        for (const RowSpan& rows : g_.ChangedRows()) spans.emplace_back(rows.First, rows.Count);
        return spans;
    };
    const Spans whole{{0, 434}}, starBands{{0, 99}, {255, 179}}, field{{0, 404}};
    Frames(1);
    EXPECT_EQ(changed(), whole);  // the first title frame
    Frames(1);
    EXPECT_EQ(changed(), starBands);
    StartGame();
    Frames(1);
    EXPECT_EQ(changed(), field);
    g_.StopBClick();
    Frames(1);
    EXPECT_EQ(changed(), Spans{});
    g_.ResetBClick();
    Frames(1);
    EXPECT_EQ(changed(), whole);  // the title comes back

    // A stage that cannot start in a play frame puts the title back: all of it.
    StartGame();
    std::filesystem::remove("Data/Stage2.dat");
    g_.S.StageExit = true;
    g_.S.ShipX = 636;
    g_.S.TargetX = 636;
    Frames(1);
    ASSERT_TRUE(g_.S.TitleMode);
    Frames(1);
    EXPECT_EQ(changed(), whole);
}

}  // namespace
}  // namespace sk::test
