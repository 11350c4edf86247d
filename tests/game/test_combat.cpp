// Rams, enemy shots, player hits, explosions, the blast-sound lock, the score
// and the end of a game.
#include "GameTestKit.h"

namespace sk::test {
namespace {

class CombatTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        ClearField();
        SoundLog().clear();
        g_.MainScr.Resize(632, 404, kGround);
    }
    // An enemy that waits unreleased (it does not move) at (x, y).
    void ParkEnemy(int k, int x, int y) {
        PlaceEnemy(k, x, y);
        g_.S.Enemies[k].AppearAt = 100000;
    }
    void PutShip(int x, int y) {
        g_.S.ShipX = g_.S.TargetX = x;
        g_.S.ShipY = g_.S.TargetY = y;
    }
    bool RamsAt(int x, int y) {
        ResetShipState();
        PutShip(100, 100);
        ParkEnemy(1, x, y);
        g_.UpdateEnemies(1);
        return g_.S.ShipHit;
    }
    bool EnemyShotHitsAt(int x, int y) {
        ResetShipState();
        PutShip(100, 100);
        Actor& shot = g_.S.EnemyShots[1];
        shot.X = x + g_.S.EnemyShotSpeed;  // where it lands after its step
        shot.Y = y;
        shot.Active = true;
        g_.MoveEnemyShot(1);
        return g_.S.ShipHit;
    }
    bool ShotHitsAt(int x, int y) {
        ParkEnemy(1, 0, 30);
        g_.S.Enemies[1].Destroyed = g_.S.Enemies[1].Exploding = false;
        Actor& shot = g_.S.Shots[0];
        shot.X = x;
        shot.Y = y;
        shot.Active = true;
        g_.S.ShotsInFlight = 1;
        g_.UpdateEnemies(2);
        return g_.S.Enemies[1].Destroyed;
    }
    void ResetShipState() {
        g_.S.ShipHit = g_.S.ShipFrozen = false;
        g_.S.ShipIntact = true;
        g_.S.ShipBlastFrame = 0;
    }
    void ShootDown(int k) {
        g_.S.Enemies[k].Active = false;
        g_.S.Enemies[k].Destroyed = g_.S.Enemies[k].Exploding = true;
        g_.S.Enemies[k].BlastFrame = 0;
    }
};

TEST_F(CombatTest, RamBoxIsInclusiveOnEverySide) {
    EXPECT_TRUE(RamsAt(156, 126));
    EXPECT_TRUE(RamsAt(42, 74));
    EXPECT_FALSE(RamsAt(157, 100));
    EXPECT_FALSE(RamsAt(41, 100));
    EXPECT_FALSE(RamsAt(100, 127));
    EXPECT_FALSE(RamsAt(100, 73));
}

TEST_F(CombatTest, UnreleasedEnemyWaitingAtTheEdgeStillRams) {
    PutShip(588, 75);
    ParkEnemy(1, 640, 75);
    g_.UpdateEnemies(1);
    EXPECT_EQ(g_.S.Enemies[1].X, 640);
    EXPECT_TRUE(g_.S.ShipHit);
}

TEST_F(CombatTest, EnemyShotBoxIsInclusiveOnEverySide) {
    EXPECT_TRUE(EnemyShotHitsAt(94, 102));
    EXPECT_FALSE(EnemyShotHitsAt(94, 101));
    EXPECT_FALSE(EnemyShotHitsAt(93, 110));
    EXPECT_TRUE(EnemyShotHitsAt(149, 120));
    EXPECT_FALSE(EnemyShotHitsAt(150, 110));
    EXPECT_FALSE(EnemyShotHitsAt(120, 121));
}

TEST_F(CombatTest, PlayerShotBoxIsInclusiveOnEverySide) {
    EXPECT_TRUE(ShotHitsAt(62, 38));
    EXPECT_FALSE(ShotHitsAt(63, 38));
    EXPECT_TRUE(ShotHitsAt(-16, 22));
    EXPECT_FALSE(ShotHitsAt(-17, 22));
    EXPECT_FALSE(ShotHitsAt(0, 21));
    EXPECT_TRUE(ShotHitsAt(0, 60));
    EXPECT_FALSE(ShotHitsAt(0, 61));
}

TEST_F(CombatTest, HitFreesTheShotAndStartsTheEnemysExplosionAtOnce) {
    g_.S.Shell.GaugeWidth = 0;
    ASSERT_TRUE(ShotHitsAt(10, 40));
    const Actor& shot = g_.S.Shots[0];
    EXPECT_FALSE(shot.Active);
    EXPECT_EQ(shot.X, 0);
    EXPECT_EQ(shot.Y, 434);
    const Actor& enemy = g_.S.Enemies[1];
    EXPECT_FALSE(enemy.Active);
    EXPECT_TRUE(enemy.Exploding);
    EXPECT_EQ(enemy.BlastFrame, 1);
    EXPECT_EQ(g_.MainScr.At(5, 35), BlastColour(1));
    EXPECT_EQ(g_.S.ShotsInFlight, 0);
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 294);
    EXPECT_EQ(SoundLog(), std::vector<std::string>{"DsPlay 2"});
}

TEST_F(CombatTest, GaugeEmptiesOnAHitWhileTheGameIsOver) {
    g_.S.GameOver = true;
    ASSERT_TRUE(ShotHitsAt(10, 40));
    EXPECT_EQ(g_.S.Shell.GaugeWidth, 0);
}

TEST_F(CombatTest, TwoShotsInOneEnemyTheLowerSlotWins) {
    ParkEnemy(3, 200, 200);
    for (int j : {2, 5}) {
        g_.S.Shots[j].X = 210;
        g_.S.Shots[j].Y = 210;
        g_.S.Shots[j].Active = true;
    }
    g_.S.ShotsInFlight = 2;
    g_.UpdateEnemies(2);
    EXPECT_FALSE(g_.S.Shots[2].Active);
    EXPECT_TRUE(g_.S.Shots[5].Active);
    EXPECT_EQ(g_.S.ShotsInFlight, 1);
}

TEST_F(CombatTest, EnemyExplosionRunsFiveFramesThenRevivesOffTheRightAndScores) {
    g_.S.Score = 1200;
    ParkEnemy(4, 300, 100);
    ShootDown(4);
    for (int n = 1; n <= 5; ++n) {
        g_.UpdateEnemies(2);
        EXPECT_EQ(g_.MainScr.At(300, 100), BlastColour(n));
        EXPECT_EQ(g_.MainScr.At(354, 160), BlastColour(n));
        EXPECT_EQ(g_.MainScr.At(355, 100), kGround);
        EXPECT_FALSE(g_.S.Enemies[4].Active);
    }
    EXPECT_EQ(g_.S.Score, 1200);
    g_.UpdateEnemies(2);
    const Actor& e = g_.S.Enemies[4];
    EXPECT_TRUE(e.Active);
    EXPECT_FALSE(e.Exploding);
    EXPECT_TRUE(e.Destroyed);
    EXPECT_EQ(e.BlastFrame, 0);
    EXPECT_GE(e.X, 640);
    EXPECT_LT(e.X, 1140);
    EXPECT_GE(e.Y, 0);
    EXPECT_LT(e.Y, 415);
    EXPECT_EQ(g_.S.Score, 1300);
    EXPECT_EQ(g_.S.Shell.ScoreCaption, "1300");
    EXPECT_FALSE(g_.S.BlastSoundLock);
}

TEST_F(CombatTest, EnemyShotDownAfterTheEndOfTheScrollScoresButStaysAway) {
    g_.S.ScrollEnd = true;
    ParkEnemy(2, 300, 100);
    ShootDown(2);
    for (int i = 0; i < 6; ++i) g_.UpdateEnemies(2);
    EXPECT_FALSE(g_.S.Enemies[2].Active);
    EXPECT_EQ(g_.S.Score, 100);
    EXPECT_EQ(g_.S.Shell.ScoreCaption, "100");
}

TEST_F(CombatTest, SecondExplosionSoundsAtItsFirstStepAfterTheFirstEnded) {
    ShootDown(1);
    g_.UpdateEnemies(2);  // slot 1 step 1: sound
    ShootDown(2);
    std::vector<int> soundAtFrame;
    for (int frame = 2; frame <= 8; ++frame) {
        const int before = CountCalls("DsPlay 2");
        g_.UpdateEnemies(2);
        if (CountCalls("DsPlay 2") > before) soundAtFrame.push_back(frame);
    }
    // slot 1 ends in frame 6; slot 2, visited after it, is at its fifth step then
    EXPECT_EQ(soundAtFrame, std::vector<int>{6});
    EXPECT_EQ(CountCalls("DsPlay 2"), 2);

    // the other way round: the lower slot exploding second sounds at its sixth step
    SoundLog().clear();
    ShootDown(6);
    g_.UpdateEnemies(2);
    ShootDown(3);
    soundAtFrame.clear();
    for (int frame = 2; frame <= 8; ++frame) {
        const int before = CountCalls("DsPlay 2");
        g_.UpdateEnemies(2);
        if (CountCalls("DsPlay 2") > before) soundAtFrame.push_back(frame);
    }
    EXPECT_EQ(soundAtFrame, std::vector<int>{7});
}

TEST_F(CombatTest, ShipHitSoundsEvenUnderTheLockAndFreezesTheShip) {
    g_.S.BlastSoundLock = true;
    ASSERT_TRUE(RamsAt(120, 110));
    EXPECT_EQ(SoundLog(), std::vector<std::string>{"DsPlay 1"});
    EXPECT_TRUE(g_.S.ShipFrozen);
    EXPECT_FALSE(g_.S.ShipIntact);
    EXPECT_TRUE(g_.S.BlastSoundLock);
    EXPECT_EQ(g_.S.ShipBlastFrame, 1);  // a ram starts the explosion in the same pass

    SoundLog().clear();
    g_.S.SoundOn = false;
    ASSERT_TRUE(RamsAt(120, 110));
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(CombatTest, RammingEnemyAndHittingShotFlyOn) {
    PutShip(100, 100);
    PlaceEnemy(1, 150, 100);
    g_.S.EnemyShots[1].Active = true;  // keep it from firing
    g_.S.EnemyShots[1].X = 1000;
    g_.UpdateEnemies(1);
    EXPECT_TRUE(g_.S.ShipHit);
    EXPECT_TRUE(g_.S.Enemies[1].Active);
    EXPECT_EQ(g_.S.Enemies[1].X, 150 - g_.S.EnemySpeed);

    ResetShipState();
    ClearField();
    ASSERT_TRUE(EnemyShotHitsAt(100, 105));
    Actor& shot = g_.S.EnemyShots[1];
    EXPECT_TRUE(shot.Active);
    shot.X = -50 + g_.S.EnemyShotSpeed - 1;
    g_.MoveEnemyShot(1);
    EXPECT_FALSE(shot.Active);
    EXPECT_EQ(shot.X, -16);
    EXPECT_EQ(shot.Y, -16);
}

TEST_F(CombatTest, EnemyShotIsKeptUntilItPassesMinusFifty) {
    Actor& shot = g_.S.EnemyShots[4];
    shot.X = -49 + g_.S.EnemyShotSpeed;
    shot.Y = 300;
    shot.Active = true;
    g_.MoveEnemyShot(4);
    EXPECT_TRUE(shot.Active);
    EXPECT_EQ(shot.X, -49);
    g_.MoveEnemyShot(4);
    EXPECT_FALSE(shot.Active);
}

TEST_F(CombatTest, EnemyShotIsDrawnAfterItsStep) {
    Actor& shot = g_.S.EnemyShots[2];
    shot.X = 310;
    shot.Y = 300;
    shot.Active = true;
    g_.MoveEnemyShot(2);
    const int x = 310 - g_.S.EnemyShotSpeed;
    EXPECT_EQ(g_.MainScr.At(x, 300), kEnemyShotColour);
    EXPECT_EQ(g_.MainScr.At(x + 15, 307), kEnemyShotColour);
    EXPECT_EQ(g_.MainScr.At(x + 16, 300), kGround);
}

TEST_F(CombatTest, InvincibleShipIgnoresRamsAndShots) {
    g_.SpecialBClick();
    EXPECT_FALSE(RamsAt(100, 100));
    EXPECT_FALSE(EnemyShotHitsAt(100, 105));
}

TEST_F(CombatTest, ShipExplosionEndsTheGameAtItsSixthStepAndCountsOn) {
    g_.S.Score = 0;
    ASSERT_TRUE(RamsAt(120, 110));
    g_.S.Enemies[1].Active = false;
    for (int n = 2; n <= 5; ++n) {
        g_.UpdateEnemies(1);
        EXPECT_EQ(g_.MainScr.At(101, 101), BlastColour(n));
        EXPECT_FALSE(g_.S.GameOver);
    }
    g_.MainScr.Resize(632, 404, kGround);
    g_.UpdateEnemies(1);
    EXPECT_TRUE(g_.S.GameOver);
    EXPECT_EQ(g_.MainScr.At(101, 101), kGround);
    g_.UpdateEnemies(1);
    EXPECT_EQ(g_.S.ShipBlastFrame, 7);
    EXPECT_EQ(g_.MainScr.At(101, 101), kGround);
}

TEST_F(CombatTest, GameOverOffersTheNameEntryForARankingScoreAndPicksTheMusic) {
    for (int i = 0; i < 10; ++i) g_.HighScores.HiScore[i] = 9000 - 500 * i;  // 9000 .. 4500
    g_.S.Score = 7500;
    g_.S.ShipBlastFrame = 5;
    g_.StepExplosion(0, 0, 0, 1);
    EXPECT_TRUE(g_.S.NewRecord);
    EXPECT_EQ(port_.NameEntryOffers, 1);
    EXPECT_EQ(port_.NameEntryRank, 4);
    EXPECT_EQ(port_.NameEntryPoints, 7500);
    EXPECT_EQ(SoundLog(), (std::vector<std::string>{"DmStop", "DmMake BGM\\HighScore.mid", "DmPlay -1"}));

    SoundLog().clear();
    g_.S.NewRecord = false;
    g_.S.Score = 4400;
    g_.S.ShipBlastFrame = 5;
    g_.StepExplosion(0, 0, 0, 1);
    EXPECT_FALSE(g_.S.NewRecord);
    EXPECT_EQ(port_.NameEntryOffers, 1);
    EXPECT_EQ(SoundLog(), (std::vector<std::string>{"DmStop", "DmMake BGM\\GameOver.mid", "DmPlay -1"}));

    SoundLog().clear();
    g_.S.MusicOn = false;
    g_.S.Score = 9500;
    g_.S.ShipBlastFrame = 5;
    g_.StepExplosion(0, 0, 0, 1);
    EXPECT_EQ(port_.NameEntryRank, 1);
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(CombatTest, ShipHitByAnEnemyShotExplodesFromTheNextFrame) {
    ClearField();
    PutShip(300, 200);
    g_.S.TargetX = g_.S.TargetY = 0;
    Actor& shot = g_.S.EnemyShots[5];
    shot.X = 330 + g_.S.EnemyShotSpeed;
    shot.Y = 210;
    shot.Active = true;
    g_.S.Invincible = false;
    Frames(1);
    EXPECT_TRUE(g_.S.ShipHit);
    EXPECT_EQ(g_.S.ShipBlastFrame, 0);
    Frames(1);
    EXPECT_EQ(g_.S.ShipBlastFrame, 1);
    Frames(5);
    EXPECT_TRUE(g_.S.GameOver);
    EXPECT_EQ(g_.S.FrameDelay, 30);  // the game-over picture shows from that same frame
}

TEST_F(CombatTest, BlastSoundLockOutlivesAGameUntilAnEnemyExplosionEnds) {
    ASSERT_TRUE(RamsAt(120, 110));
    g_.ResetBClick();
    g_.StartBotClick();
    ClearField();
    SoundLog().clear();
    ASSERT_TRUE(g_.S.BlastSoundLock);

    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(g_.S.ShotsInFlight, 1);
    ParkEnemy(1, 300, 100);
    ShootDown(1);
    for (int i = 0; i < 6; ++i) g_.UpdateEnemies(2);
    EXPECT_TRUE(SoundLog().empty());
    EXPECT_FALSE(g_.S.BlastSoundLock);

    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    EXPECT_EQ(SoundLog(), std::vector<std::string>{"DsPlay 0"});
}

TEST_F(CombatTest, OtherPhasesAndKindsDoNothing) {
    ParkEnemy(1, 300, 100);
    g_.S.ScrollX = 200000;
    g_.UpdateEnemies(3);
    g_.UpdateEnemies(0);
    EXPECT_EQ(g_.S.Enemies[1].X, 300);
    g_.StepExplosion(0, 0, 1, 3);
    EXPECT_EQ(g_.S.Enemies[1].BlastFrame, 0);
    EXPECT_EQ(g_.S.ShipBlastFrame, 0);
}

}  // namespace
}  // namespace sk::test
