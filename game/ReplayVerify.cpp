#include "game/ReplayVerify.h"

#include "game/Game.h"
#include "game/Headless.h"
#include "game/ReplayPlayer.h"
#include "game/ReplayState.h"
#include "scores/ReplayIndex.h"

#include <vector>

namespace sk {

namespace {

ReplayVerdict Verdict(ReplayVerdictCode code, std::string message) { return {code, std::move(message), 0}; }

}  // namespace

ReplayVerdict OpenReplay(std::span<const std::uint8_t> file, Replay& replay) {
    if (const ReplayFault fault = DecodeReplay(file, replay); fault != ReplayFault::None) {
        return Verdict(ReplayVerdictCode::Unreadable, Describe(fault));
    }
    const ReplayHeader& h = replay.Header;
    if (h.RulesVersion != kReplayRulesVersion) {
        return Verdict(ReplayVerdictCode::Foreign, "recorded under rules version " + std::to_string(h.RulesVersion) +
                                                       ", this program plays version " +
                                                       std::to_string(kReplayRulesVersion));
    }
    const auto stages = StageFileHashes();
    for (int n = 1; n <= kStageFiles; ++n) {
        if (stages[n - 1] != h.StageHashes[n - 1]) {
            return Verdict(ReplayVerdictCode::Foreign, "recorded with other stage files (Data/Stage" +
                                                           std::to_string(n) + ".dat differs)");
        }
    }
    return {};
}

ReplayVerdict VerifyReplay(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;
    if (!ReadWholeFile(path, kMaxReplayFileBytes, bytes, tooLarge)) {
        return Verdict(ReplayVerdictCode::Unreadable, "cannot be read");
    }
    if (tooLarge) return Verdict(ReplayVerdictCode::Unreadable, Describe(ReplayFault::TooLarge));
    Replay replay;
    ReplayVerdict verdict = OpenReplay(bytes, replay);
    if (verdict.Code != ReplayVerdictCode::Matches) return verdict;

    NullWindowPort port;
    Game game(port, LoadPictures(), SilentSound());
    game.InitGame(Settings{});
    game.ShowTitlePicture();
    ReplayPlayer player(game, replay);
    while (player.Step() == ReplayPlayer::Status::Running) {
    }
    verdict.Frames = player.Frame();
    if (player.State() == ReplayPlayer::Status::Parted) {
        verdict.Code = ReplayVerdictCode::Parted;
        verdict.Message = "parts from the game at frame " + std::to_string(player.Frame());
    }
    return verdict;
}

}  // namespace sk
