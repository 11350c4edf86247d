#include "app/ReplayWatch.h"

#include "game/ReplayState.h"

namespace sk {

namespace {

Game& Prepared(Game& game) {
    game.InitGame(Settings{});
    game.ShowTitlePicture();
    return game;
}

}  // namespace

ReplayWatch::ReplayWatch(Replay replay, const Pictures& pictures, SoundApi sound, bool musicOn, bool soundOn)
    : replay_(std::move(replay)), game_(port_, pictures, sound), player_(Prepared(game_), replay_) {
    // Sounds follow the viewer's choice; they change nothing else.
    game_.S.MusicOn = musicOn;
    game_.S.SoundOn = soundOn;
    over_ = player_.State() != ReplayPlayer::Status::Running;
}

void ReplayWatch::SetSpeed(int speed) { speed_ = speed >= 4 ? 4 : speed >= 2 ? 2 : 1; }

void ReplayWatch::Slower() { SetSpeed(speed_ / 2); }

void ReplayWatch::Faster() { SetSpeed(speed_ * 2); }

int ReplayWatch::Tick() {
    if (paused_ || over_) return -1;
    int delay = -1;
    for (int i = 0; i < speed_ && !over_; ++i) delay = StepOnce();
    return over_ ? -1 : delay;
}

// The game's own frame delay: 20 ms, 30 ms at the game over.
int ReplayWatch::StepOnce() {
    if (player_.Step() == ReplayPlayer::Status::Running) return game_.S.FrameDelay;
    const bool gameOver = player_.State() == ReplayPlayer::Status::Finished && replay_.Header.End == ReplayEnd::GameOver;
    if (gameOver && tail_ < kGameOverTail && !game_.S.TitleMode) {
        ++tail_;
        return game_.AppIdle();
    }
    over_ = true;
    return -1;
}

}  // namespace sk
