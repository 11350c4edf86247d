// Records one game at a time: the header a game starts from, then every
// event with the number of play frames before it, a check value every 60
// frames, and the end. The body is kept in a buffer reserved once, so
// recording allocates nothing while the reserve lasts.
#pragma once

#include "game/Replay.h"

namespace sk {

class ReplayRecorder {
public:
    // Room for about an hour of busy play before the buffer grows.
    static constexpr std::size_t kReserve = 512 * 1024;

    void Reserve() { replay_.Body.reserve(kReserve); }
    bool Active() const { return active_; }
    std::uint32_t Frames() const { return frames_; }
    std::size_t Bytes() const { return replay_.Body.size(); }

    // `header` holds the start state; `stage` and `secondLap` are the game's now.
    void Begin(ReplayHeader header, int stage, bool secondLap);
    void Note(ReplayOp op, std::int32_t a = 0, std::int32_t b = 0) { writer_.Append({frames_, op, a, b}); }
    // A play frame ran; true when a check value is due now.
    bool FrameDone() { return ++frames_ % kCheckInterval == 0; }
    // The stage and score as a game shows them (not on the title).
    void Track(int stage, int score);
    // Closes the recording with its end event and summary.
    const Replay& Finish(ReplayEnd end, int difficulty);

private:
    Replay replay_;
    ReplayEventWriter writer_{replay_.Body};
    bool active_ = false;
    std::uint32_t frames_ = 0;
    int stage_ = 0;
    int lap_ = 1;
    int score_ = 0;
};

}  // namespace sk
