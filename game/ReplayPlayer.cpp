#include "game/ReplayPlayer.h"

#include "game/Game.h"
#include "game/ReplayState.h"

namespace sk {

ReplayPlayer::ReplayPlayer(Game& game, const Replay& replay) : game_(game), reader_(replay.Body) {
    if (!RestoreCarriedState(game_, replay.Header.Carried, replay.Header.Generator)) {
        Part();
        return;
    }
    hasNext_ = reader_.Next(next_);
}

ReplayPlayer::Status ReplayPlayer::Step() {
    if (status_ != Status::Running) return status_;
    for (; hasNext_ && next_.Frame == frame_; hasNext_ = reader_.Next(next_)) {
        if (next_.Op == ReplayOp::End) return status_ = Status::Finished;
        if (next_.Op == ReplayOp::Check) {
            if (StateCheck(game_) != static_cast<std::uint32_t>(next_.A)) return Part();
            continue;
        }
        Apply(next_);
    }
    // A frame is due: the game must be one that runs it.
    if (!hasNext_ || game_.S.TitleMode || game_.S.Paused) return Part();
    game_.AppIdle();
    ++frame_;
    return status_;
}

void ReplayPlayer::Apply(const ReplayEvent& e) {
    Game& g = game_;
    switch (e.Op) {
        case ReplayOp::Start: g.StartBotClick(); break;
        case ReplayOp::Reset: g.ResetBClick(); break;
        case ReplayOp::Pause: g.StopBClick(); break;
        case ReplayOp::Resume: g.ResumeGame(); break;
        case ReplayOp::DialogPause: g.PauseForDialog(); break;
        case ReplayOp::FastScroll: g.ScrollBClick(); break;
        case ReplayOp::Invincible: g.SpecialBClick(); break;
        case ReplayOp::Continue: g.MainScreenDblClick(); break;
        case ReplayOp::DialogOpen: g.TransferSettingsToDialog(); break;
        case ReplayOp::DifficultyItem: g.DifficultBtnClick(e.A); break;
        case ReplayOp::DialogOk: g.TransferSettingsFromDialog(e.A, e.B & 1, e.B & 2, e.B & 4); break;
        case ReplayOp::PointerMove: g.MainScreenMouseMove(e.A, e.B); break;
        case ReplayOp::Press: g.MainScreenMouseDown(static_cast<MouseButton>(e.A), 0, 0); break;
        case ReplayOp::FireSingle: g.FireSingle(); break;
        case ReplayOp::FireFan: g.FireFan(); break;
        case ReplayOp::Steer: g.SteerTarget(e.A, e.B); break;
        case ReplayOp::TableEntry: InsertHighScore(g.HighScores, e.A, e.B, {}); break;
        case ReplayOp::TableReset: ResetHighScores(g.HighScores); break;
        default: break;
    }
}

}  // namespace sk
