// Recording every game: where a recording begins and ends, and the name
// entry and table reset that keep or drop the replays of the table.
#include "game/Game.h"
#include "game/ReplayState.h"

#include <ctime>
#include <utility>

#ifndef SKARBOLT_VERSION
#define SKARBOLT_VERSION "unknown"
#endif

namespace sk {

Game::EventScope::EventScope(Game& game, ReplayOp op, std::int32_t a, std::int32_t b) : game_(game), op_(op) {
    game_.EnterEvent(op, a, b);
}

Game::EventScope::~EventScope() { game_.LeaveEvent(op_); }

void Game::RecordReplays(ReplaySink sink) {
    sink_ = std::move(sink);
    if (sink_) recorder_.Reserve();
}

void Game::EnterEvent(ReplayOp op, std::int32_t a, std::int32_t b) {
    if (eventDepth_++ > 0 || !sink_) return;
    if (!recorder_.Active()) {
        if (op == ReplayOp::Start && S.TitleMode) {
            BeginRecording(ReplayStartKind::NewGame);
        } else if (op == ReplayOp::Continue && S.GameOver) {
            BeginRecording(ReplayStartKind::Continue);
        } else {
            return;
        }
    }
    if (op != ReplayOp::Frame) recorder_.Note(op, a, b);
}

void Game::LeaveEvent(ReplayOp op) {
    if (--eventDepth_ > 0 || !recorder_.Active()) return;
    if (!S.TitleMode) recorder_.Track(S.StageNo, S.Score);
    if (op == ReplayOp::Frame && recorder_.FrameDone()) recorder_.Note(ReplayOp::Check, static_cast<std::int32_t>(StateCheck(*this)));
    if (resetPending_) {
        FinishRecording(ReplayEnd::Reset);
    } else if (S.GameOver) {
        FinishRecording(ReplayEnd::GameOver);
    } else if (recorder_.Frames() >= kMaxReplayFrames || recorder_.Bytes() >= kMaxReplayBodyBytes / 2) {
        FinishRecording(ReplayEnd::TooLong);
    }
}

void Game::BeginRecording(ReplayStartKind kind) {
    ReplayHeader header;
    header.ProgramVersion = SKARBOLT_VERSION;
    header.StageHashes = StageFileHashes();
    header.Kind = kind;
    header.Date = static_cast<std::int64_t>(std::time(nullptr));
    header.Generator = CaptureGenerator(*this);
    header.Carried = CaptureCarriedState(*this);
    recorder_.Begin(std::move(header), S.StageNo, S.SecondLap);
}

// The last check value is taken from the state the game ended in.
void Game::FinishRecording(ReplayEnd end) {
    resetPending_ = false;
    recorder_.Note(ReplayOp::Check, static_cast<std::int32_t>(StateCheck(*this)));
    const std::vector<std::uint8_t> file = EncodeReplay(recorder_.Finish(end, S.Difficulty));
    if (end == ReplayEnd::GameOver && S.NewRecord) offered_ = file;
    sink_(file);
}

// Called first thing by ResetGame: inside an event the recording ends when
// the event is done; from outside any (a direct call) at once.
void Game::NoteReset() {
    if (!recorder_.Active()) return;
    if (eventDepth_ > 0) {
        resetPending_ = true;
    } else {
        FinishRecording(ReplayEnd::Reset);
    }
}

void Game::EndRecording() {
    if (recorder_.Active() && eventDepth_ == 0) FinishRecording(ReplayEnd::Quit);
}

void Game::EnterHighScore(int k, std::int32_t points, std::string nameCp932) {
    const EventScope scope(*this, ReplayOp::TableEntry, k, points);
    if (k < 0 || k >= kRanks) return;
    InsertHighScore(HighScores, k, points, std::move(nameCp932));
    Replays.Insert(k, offered_);
}

void Game::ResetHighScoreTable() {
    const EventScope scope(*this, ReplayOp::TableReset);
    ResetHighScores(HighScores);
    Replays.Clear();
}

}  // namespace sk
