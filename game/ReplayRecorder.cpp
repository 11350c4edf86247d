#include "game/ReplayRecorder.h"

#include <utility>

namespace sk {

void ReplayRecorder::Begin(ReplayHeader header, int stage, bool secondLap) {
    replay_.Header = std::move(header);
    writer_.Clear();
    active_ = true;
    frames_ = 0;
    stage_ = stage;
    lap_ = secondLap ? 2 : 1;
    score_ = 0;
}

void ReplayRecorder::Track(int stage, int score) {
    if (stage <= 0) return;
    if (stage < stage_) ++lap_;  // the stage number wrapped after the last stage
    stage_ = stage;
    score_ = score;
}

const Replay& ReplayRecorder::Finish(ReplayEnd end, int difficulty) {
    Note(ReplayOp::End, static_cast<std::int32_t>(end));
    ReplayHeader& h = replay_.Header;
    h.Frames = frames_;
    h.Score = score_;
    h.Stage = stage_;
    h.Lap = lap_;
    h.End = end;
    h.Difficulty = difficulty;
    active_ = false;
    return replay_;
}

}  // namespace sk
