// Plays a replay on a game of its own: puts the recorded start state into
// it, then before each play frame hands it the events recorded before that
// frame, and compares every check value with the game's own.
#pragma once

#include "game/Replay.h"

namespace sk {

class Game;

class ReplayPlayer {
public:
    enum class Status { Running, Finished, Parted };

    // `game` is fresh: made, InitGame and ShowTitlePicture run. `replay`
    // must outlive the player. Parted at once when its state does not fit.
    ReplayPlayer(Game& game, const Replay& replay);

    // Hands the game the events due now; then, unless the replay has ended,
    // runs one play frame.
    Status Step();
    Status State() const { return status_; }
    // Play frames run so far; where the replay parted from the game.
    std::uint32_t Frame() const { return frame_; }

private:
    void Apply(const ReplayEvent& event);
    Status Part() { return status_ = Status::Parted; }

    Game& game_;
    ReplayEventReader reader_;
    ReplayEvent next_;
    bool hasNext_ = false;
    std::uint32_t frame_ = 0;
    Status status_ = Status::Running;
};

}  // namespace sk
