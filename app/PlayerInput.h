// Keys and game pads for the player: arrows/WASD and the pad's stick or
// d-pad steer, Z/Space and A fire the single shot, X and the pad's B or X the
// fan, Enter continues after game over, Start and Back are the pause and
// reset commands, the shoulder buttons a replay's speed. The rules live in sk::Steering; this class only turns key
// and pad events into its calls.
#pragma once

#include "app/Gamepad.h"
#include "app/MenuCommand.h"
#include "game/Steering.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace sk {

class Game;

class PlayerInput : public QObject {
    Q_OBJECT
public:
    struct Commands {
        // Runs a menu command as its key would (Start: StopB, Back: ResetB).
        std::function<void(MenuCommand)> Dispatch;
        std::function<void()> AfterEvent;  // mirror the game's state
    };

    // Watches the key events of `window` (and its children).
    PlayerInput(Game& game, QWidget* window, Commands commands);
    ~PlayerInput() override;

    void SetKeyControl(bool on);
    // Opens SDL's pad layer on first use; `mappingFile` as for Gamepad.
    void SetPadControl(bool on, const std::string& mappingFile = {});
    bool KeyControl() const { return keysOn_; }
    bool PadControl() const { return pad_ != nullptr; }

    // Once per frame, before the game's frame: reads the pad, acts on its
    // new presses, and steps the steering. While no frames run (a paused
    // game) a connected pad is read twenty times a second, so Start can
    // resume; with no pad nothing wakes until the input devices change.
    void BeforeFrame();

    Steering& steering() { return steering_; }
    const PadState& Pad() const { return padShown_; }
    bool ReadsWhileIdle() const { return idlePoll_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnKey(int key, bool down);
    void ReleaseKeys();
    void OnPad(const PadState& now);
    void UpdateDirection();
    void PollPad();
    void IdlePoll();
    void DevicesChanged();

    Game& game_;
    QWidget* window_;
    Commands commands_;
    Steering steering_;
    std::unique_ptr<Gamepad> pad_;
    PadState padShown_;  // the pad as last polled
    QElapsedTimer sincePoll_;
    QTimer idlePoll_;
    QElapsedTimer sinceDevicesChanged_;
    QFileSystemWatcher devices_;
    bool keysOn_ = false;
    bool left_ = false, right_ = false, up_ = false, down_ = false;
};

}  // namespace sk
