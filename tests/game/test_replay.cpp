// Recording and replaying: games started after other games and after a
// continue play back to the same end; files that are damaged, cut, empty,
// foreign or part from the game are told apart.
#include "GameTestKit.h"

#include "game/Replay.h"
#include "game/ReplayPlayer.h"
#include "game/ReplayVerify.h"

#include <fstream>

namespace sk::test {
namespace {

class ReplayTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        g_.RecordReplays([this](const std::vector<std::uint8_t>& file) { files_.push_back(file); });
    }

    // Parks the ship in the first enemy's line and plays on to the game over.
    void FlyIntoFire() {
        g_.MainScreenMouseMove(100, 91);
        for (int i = 0; i < 3000 && !g_.S.GameOver; ++i) g_.AppIdle();
    }

    static Replay Decoded(const std::vector<std::uint8_t>& file) {
        Replay replay;
        EXPECT_EQ(DecodeReplay(file, replay), ReplayFault::None);
        return replay;
    }

    // Plays a file on a game of its own to its end.
    static ReplayPlayer::Status PlayBack(const Replay& replay, std::int32_t& score) {
        NullWindowPort port;
        Game game(port, TestPictures(), SilentSound());
        game.InitGame(Settings{});
        game.ShowTitlePicture();
        ReplayPlayer player(game, replay);
        while (player.Step() == ReplayPlayer::Status::Running) {
        }
        score = game.S.Score;
        EXPECT_EQ(player.Frame(), replay.Header.Frames);
        return player.State();
    }

    static void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::vector<std::uint8_t>> files_;
};

TEST_F(ReplayTest, GamesAfterOtherGamesAndAfterAContinueReplayToTheSameEnd) {
    StartGame();
    g_.SpecialBClick();  // no hits until the reset
    g_.MainScreenMouseMove(300, 200);
    g_.MainScreenMouseDown(MouseButton::Left, 0, 0);
    Frames(100);
    g_.ResetBClick();  // the first game ends with a reset

    StartGame();  // starts from what the first left: generator, slot parameters
    g_.SteerTarget(20, 100);
    Frames(61);
    g_.FireSingle();
    g_.FireSingle();
    g_.FireFan();
    g_.PauseForDialog();
    g_.TransferSettingsToDialog();
    g_.TransferSettingsFromDialog(2, true, false, true);  // Hard's speeds mid-game
    g_.StopBClick();
    g_.MainScreenMouseMove(500, 300);
    g_.StopBClick();
    FlyIntoFire();
    ASSERT_TRUE(g_.S.GameOver);
    const std::int32_t lostWith = g_.S.Score;

    g_.MainScreenDblClick();
    g_.SpecialBClick();
    g_.MainScreenMouseMove(60, 200);
    Frames(200);
    const std::int32_t quitWith = g_.S.Score;
    g_.EndRecording();

    ASSERT_EQ(files_.size(), 3u);
    const ReplayEnd ends[] = {ReplayEnd::Reset, ReplayEnd::GameOver, ReplayEnd::Quit};
    const ReplayStartKind kinds[] = {ReplayStartKind::NewGame, ReplayStartKind::NewGame, ReplayStartKind::Continue};
    const std::int32_t scores[] = {0, lostWith, quitWith};
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const Replay replay = Decoded(files_[i]);
        EXPECT_EQ(replay.Header.End, ends[i]) << i;
        EXPECT_EQ(replay.Header.Kind, kinds[i]) << i;
        std::int32_t score = -1;
        EXPECT_EQ(PlayBack(replay, score), ReplayPlayer::Status::Finished) << i;
        if (i > 0) EXPECT_EQ(score, scores[i]) << i;
    }
}

TEST_F(ReplayTest, TwoClicksBetweenFramesStayTwoAndTitleEventsAreNotRecorded) {
    g_.MainScreenMouseMove(10, 10);  // on the title: no recording yet
    StartGame();
    Frames(3);
    g_.FireSingle();
    g_.FireSingle();
    Frames(1);
    g_.EndRecording();
    ASSERT_EQ(files_.size(), 1u);
    const Replay replay = Decoded(files_[0]);
    ReplayEventReader reader(replay.Body);
    ReplayEvent e;
    std::vector<std::pair<ReplayOp, std::uint32_t>> events;
    while (reader.Next(e)) {
        if (e.Op != ReplayOp::Check) events.emplace_back(e.Op, e.Frame);
    }
    const std::vector<std::pair<ReplayOp, std::uint32_t>> expected = {
        {ReplayOp::Start, 0}, {ReplayOp::FireSingle, 3}, {ReplayOp::FireSingle, 3}, {ReplayOp::End, 4}};
    EXPECT_EQ(events, expected);
}

TEST_F(ReplayTest, VerifyTellsMatchingPartedUnreadableAndForeignFiles) {
    StartGame();
    Frames(130);
    g_.EndRecording();
    ASSERT_EQ(files_.size(), 1u);
    const std::vector<std::uint8_t>& good = files_[0];
    const auto verify = [&](const std::vector<std::uint8_t>& bytes) {
        Write("check.skr", bytes);
        return VerifyReplay("check.skr").Code;
    };
    EXPECT_EQ(verify(good), ReplayVerdictCode::Matches);

    std::vector<std::uint8_t> flipped = good;
    flipped[flipped.size() / 2] ^= 0x40;
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    const std::string text = "Data/Stage1.dat\n";
    std::vector<std::uint8_t> tooLarge(kMaxReplayFileBytes + 1, 0);
    for (const auto& bad : {flipped, cut, std::vector<std::uint8_t>{}, std::vector<std::uint8_t>(text.begin(), text.end()),
                            tooLarge}) {
        EXPECT_EQ(verify(bad), ReplayVerdictCode::Unreadable) << bad.size();
    }
    EXPECT_EQ(VerifyReplay("no-such.skr").Code, ReplayVerdictCode::Unreadable);

    Replay other = Decoded(good);
    other.Header.RulesVersion = kReplayRulesVersion + 1;
    EXPECT_EQ(verify(EncodeReplay(other)), ReplayVerdictCode::Foreign);

    Replay parting = Decoded(good);
    parting.Header.Generator ^= 0x5555;  // other release points, other flights
    Write("check.skr", EncodeReplay(parting));
    const ReplayVerdict parted = VerifyReplay("check.skr");
    EXPECT_EQ(parted.Code, ReplayVerdictCode::Parted);
    EXPECT_NE(parted.Message.find("frame"), std::string::npos);

    WriteStage(3, 41, 13);
    EXPECT_EQ(verify(good), ReplayVerdictCode::Foreign);
}

}  // namespace
}  // namespace sk::test
