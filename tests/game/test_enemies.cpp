// Enemy slots: the stage set-up table, release, firing, re-entry and the ten kinds.
#include "GameTestKit.h"

#include <algorithm>
#include <set>

namespace sk::test {
namespace {

class EnemyTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        g_.S.EnemySpeed = 5;
        g_.MainScr.Resize(632, 404, kGround);
    }
    // Moves slot k once by its own kind and returns the enemy.
    const Actor& Move(int k) {
        g_.MoveEnemy(k, g_.S.Enemies[k].Kind);
        return g_.S.Enemies[k];
    }
};

TEST_F(EnemyTest, StageStartSetsEverySlotByTheTable) {
    struct Row { int y; int param; };
    const Row table[11] = {{}, {75, 77}, {180, 1}, {115, 77}, {40, 100}, {171, 50},
                           {330, 77}, {96, 1}, {60, 1}, {250, 77}, {310, 1}};
    for (int stage = 1; stage <= 7; ++stage) {
        for (int k = 1; k <= 10; ++k) {
            Actor& e = g_.S.Enemies[k];
            e = Actor{};
            e.Param = 77;  // kept by the slots without a Param of their own
            e.Destroyed = e.Exploding = true;
            e.BlastFrame = 3;
        }
        g_.S.StageNo = stage - 1;
        ASSERT_TRUE(g_.StartStage(true));
        for (int k = 1; k <= 10; ++k) {
            const Actor& e = g_.S.Enemies[k];
            SCOPED_TRACE("stage " + std::to_string(stage) + " slot " + std::to_string(k));
            EXPECT_EQ(e.X, 640);
            EXPECT_EQ(e.Y, table[k].y);
            EXPECT_EQ(e.Param, table[k].param);
            EXPECT_EQ(e.Kind, k);
            EXPECT_GE(e.AppearAt, 0);
            EXPECT_LT(e.AppearAt, 500);
            EXPECT_FALSE(e.Destroyed);
            EXPECT_FALSE(e.Exploding);
            EXPECT_EQ(e.BlastFrame, 0);
            EXPECT_EQ(e.Active, k <= stage + 3);  // stage 1: slots 1-4 ... stage 7: all ten
        }
    }
}

TEST_F(EnemyTest, RandomBelowIsUniformOverItsRangeAndZeroForNothing) {
    EXPECT_EQ(g_.RandomBelow(0), 0);
    EXPECT_EQ(g_.RandomBelow(-5), 0);
    EXPECT_EQ(g_.RandomBelow(1), 0);
    std::set<int> seen;
    for (int i = 0; i < 3000; ++i) {
        const int v = g_.RandomBelow(3);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 2);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 3u);
    int below = 0;
    for (int i = 0; i < 4000; ++i) below += g_.RandomBelow(500) < 250 ? 1 : 0;
    EXPECT_GT(below, 1600);
    EXPECT_LT(below, 2400);
}

TEST_F(EnemyTest, EnemyFiresFromWhereItWasBeforeMoving) {
    PlaceEnemy(1, 300, 200);
    Move(1);
    const Actor& shot = g_.S.EnemyShots[1];
    EXPECT_TRUE(shot.Active);
    EXPECT_EQ(shot.X, 300);
    EXPECT_EQ(shot.Y, 200);
    g_.S.EnemyShots[1].X = 100;
    Move(1);
    EXPECT_EQ(g_.S.EnemyShots[1].X, 100);  // one shot at a time

    g_.S.EnemyShots[2].Active = false;
    g_.S.Enemies[2].Active = false;
    Move(2);
    EXPECT_FALSE(g_.S.EnemyShots[2].Active);
}

TEST_F(EnemyTest, StraightKindsFlyLeftAtEnemySpeed) {
    for (int k : {1, 7, 8, 9, 10}) {
        PlaceEnemy(k, 400, 123);
        const Actor& e = Move(k);
        EXPECT_EQ(e.X, 395);
        EXPECT_EQ(e.Y, 123);
    }
}

TEST_F(EnemyTest, ZigzagTurnsAtTheBottomAndTheTop) {
    PlaceEnemy(2, 600, 180);
    g_.S.Enemies[2].Param = 1;
    Move(2);
    EXPECT_EQ(g_.S.Enemies[2].X, 595);
    EXPECT_EQ(g_.S.Enemies[2].Y, 185);
    g_.S.Enemies[2].Y = 374;
    Move(2);
    EXPECT_EQ(g_.S.Enemies[2].Param, 2);
    EXPECT_EQ(g_.S.Enemies[2].Y, 369);
    Move(2);
    EXPECT_EQ(g_.S.Enemies[2].Y, 364);
    g_.S.Enemies[2].Y = 0;
    Move(2);
    EXPECT_EQ(g_.S.Enemies[2].Param, 1);
    EXPECT_EQ(g_.S.Enemies[2].Y, 5);
}

TEST_F(EnemyTest, WaveKindsReadTheNewXAsDegreesAndTruncate) {
    struct Case { int kind; int x; int param; int y; };
    const Case cases[] = {
        {3, 95, 100, 139}, {3, 185, 100, 99}, {3, 275, 100, 60}, {3, 5, 100, 100},
        {4, 95, 100, 119}, {4, -25, 100, 89},
        {5, 95, 50, 149}, {5, 275, 50, -49}, {5, 5, 50, 100}, {5, 640, 50, -45},
        {6, 50, 200, 249}, {6, 275, 200, 130},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " x " + std::to_string(c.x));
        PlaceEnemy(c.kind, c.x, 0);
        g_.S.Enemies[c.kind].Param = c.param;
        const Actor& e = Move(c.kind);
        EXPECT_EQ(e.X, c.x - 5);
        EXPECT_EQ(e.Y, c.y);
    }
}

TEST_F(EnemyTest, WaveAmplitudesOverOneCrossing) {
    struct Case { int kind; int param; int low; int high; };
    const Case cases[] = {{3, 0, -40, 40}, {4, 0, -20, 20}, {5, 50, -62, 162}, {6, 0, -70, 70}};
    g_.S.EnemySpeed = 1;
    for (const Case& c : cases) {
        PlaceEnemy(c.kind, 640, 0);
        g_.S.Enemies[c.kind].Param = c.param;
        int low = 1000, high = -1000;
        while (g_.S.Enemies[c.kind].X > -59) {
            const Actor& e = Move(c.kind);
            low = std::min(low, e.Y);
            high = std::max(high, e.Y);
        }
        EXPECT_GE(low, c.low);
        EXPECT_LE(low, c.low + 2);
        EXPECT_LE(high, c.high);
        EXPECT_GE(high, c.high - 2);
    }
}

TEST_F(EnemyTest, EnemyReentersFromTheRightOnlyOnceFullyOutOnTheLeft) {
    PlaceEnemy(1, -59, 100);
    Move(1);
    EXPECT_EQ(g_.S.Enemies[1].X, -64);
    Move(1);
    EXPECT_EQ(g_.S.Enemies[1].X, 635);
    EXPECT_GE(g_.S.Enemies[1].Y, 0);
    EXPECT_LT(g_.S.Enemies[1].Y, 434);
    EXPECT_TRUE(g_.S.Enemies[1].Active);

    for (int i = 0; i < 50; ++i) {
        PlaceEnemy(2, -60, 100);
        g_.S.Enemies[2].Param = 2;
        Move(2);
        // a new height below 404, heading down-left unless it is already at the bottom
        const Actor& zigzag = g_.S.Enemies[2];
        if (zigzag.Param == 1) {
            EXPECT_GE(zigzag.Y, 5);
            EXPECT_LE(zigzag.Y, 378);
        } else {
            EXPECT_GE(zigzag.Y, 369);
            EXPECT_LE(zigzag.Y, 398);
        }

        PlaceEnemy(4, -60, 0);
        g_.S.Enemies[4].Param = -999;
        Move(4);
        EXPECT_GE(g_.S.Enemies[4].Param, 0);
        EXPECT_LT(g_.S.Enemies[4].Param, 434);

        PlaceEnemy(9, -60, 0);
        Move(9);
        EXPECT_LT(g_.S.Enemies[9].Y, 434);
    }
}

TEST_F(EnemyTest, AfterTheEndOfTheScrollALeavingEnemyRetiresButIsDrawnOnceMore) {
    g_.S.ScrollEnd = true;
    g_.S.EnemySpeed = 20;
    PlaceEnemy(7, -60, 100);
    Move(7);
    const Actor& e = g_.S.Enemies[7];
    EXPECT_FALSE(e.Active);
    EXPECT_EQ(e.X, 620);
    EXPECT_EQ(g_.MainScr.At(625, e.Y + 1), EnemyColour(7));
    Move(7);
    EXPECT_EQ(e.X, 620);  // retired: no longer moved
}

TEST_F(EnemyTest, EachKindIsDrawnFromItsOwnCellOfTheSheet) {
    for (int kind = 1; kind <= 10; ++kind) {
        g_.MainScr.Resize(632, 404, kGround);
        PlaceEnemy(kind, 205, 100);
        g_.S.Enemies[kind].Param = 100;
        const Actor& e = Move(kind);
        EXPECT_EQ(g_.MainScr.At(e.X + 30, e.Y + 15), EnemyColour(kind)) << "kind " << kind;
        EXPECT_EQ(g_.MainScr.At(e.X + 60, e.Y + 15), kGround);
    }
}

TEST_F(EnemyTest, SlotsWaitUnseenUntilTheScrollPassesTheirReleasePoint) {
    PlaceEnemy(1, 640, 75);
    g_.S.Enemies[1].AppearAt = 10;
    g_.S.ScrollX = 9;
    g_.UpdateEnemies(1);
    EXPECT_EQ(g_.S.Enemies[1].X, 640);
    EXPECT_FALSE(g_.S.EnemyShots[1].Active);
    g_.S.ScrollX = 10;
    g_.UpdateEnemies(1);
    EXPECT_EQ(g_.S.Enemies[1].X, 635);
    EXPECT_TRUE(g_.S.EnemyShots[1].Active);
}

}  // namespace
}  // namespace sk::test
