// Watching a replay: a game core of its own (no name entry, no table, no
// settings), the player that feeds it the recorded events, the speed (1, 2
// or 4 frames a tick) and the viewer's pause. After a game over the game
// runs on a little without input, as it would have, before the replay is
// over. Knows nothing of Qt.
#pragma once

#include "game/Game.h"
#include "game/Headless.h"
#include "game/Replay.h"
#include "game/ReplayPlayer.h"

#include <memory>
#include <string>
#include <vector>

namespace sk {

class ReplayWatch {
public:
    // Ticks the game-over picture stays on screen at the end.
    static constexpr int kGameOverTail = 100;

    // `replay` is decoded and checked (OpenReplay). Sounds play through
    // `sound` when `musicOn` / `soundOn` say so (the viewer's settings).
    ReplayWatch(Replay replay, const Pictures& pictures, SoundApi sound, bool musicOn, bool soundOn);

    const Game& Core() const { return game_; }
    const ReplayHeader& Header() const { return replay_.Header; }

    // One tick of the clock: Speed() frames. Returns the milliseconds to
    // the next tick, -1 while paused or once over.
    int Tick();
    bool Over() const { return over_; }
    bool Parted() const { return player_.State() == ReplayPlayer::Status::Parted; }
    std::uint32_t Frame() const { return player_.Frame(); }

    void SetSpeed(int speed);  // 1, 2 or 4
    int Speed() const { return speed_; }
    void Slower();
    void Faster();
    void TogglePause() { paused_ = !paused_; }
    bool Paused() const { return paused_; }

private:
    int StepOnce();

    Replay replay_;
    NullWindowPort port_;  // messages, the name entry and the cursor lock go nowhere
    Game game_;
    ReplayPlayer player_;
    int speed_ = 1;
    bool paused_ = false;
    bool over_ = false;
    int tail_ = 0;
};

}  // namespace sk
