// Keys and game pads for the player. Keys go by their place on the keyboard:
// the bound places (by default those of W A S D, Z, X and Enter) and the
// arrows, Space and the keypad's Enter steer, fire the single shot and the
// fan, and continue. The pad's stick or d-pad steers, A fires the single
// shot (and continues after a game over), B and X the fan, Start starts a
// game on the title and pauses in play, Back pulls down the menus, the
// shoulder buttons set a replay's speed. While a menu, dialog or message box
// is open the pad drives that window instead (PadWindows). The rules live in sk::Steering; this class only turns key
// and pad events into its calls and into menu commands.
#pragma once

#include "app/Gamepad.h"
#include "app/MenuCommand.h"
#include "app/PadWindows.h"
#include "game/Extras.h"
#include "game/Steering.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace sk {

class Game;

class PlayerInput : public QObject {
    Q_OBJECT
public:
    struct Commands {
        // Runs a menu command as its key would.
        std::function<void(MenuCommand)> Dispatch;
        std::function<void()> AfterEvent;  // mirror the game's state
    };

    // Watches the key events of `window` (and its children).
    PlayerInput(Game& game, QWidget* window, Commands commands);
    ~PlayerInput() override;

    void SetKeyControl(bool on);
    void SetKeys(const KeyBindings& keys);
    // Opens SDL's pad layer on first use; `mappingFile` as for Gamepad.
    void SetPadControl(bool on, const std::string& mappingFile = {});
    bool KeyControl() const { return keysOn_; }
    bool PadControl() const { return pad_ != nullptr; }

    // Once per frame, before the game's frame: reads the pad, acts on its
    // new presses, and steps the steering. While no frames run (a paused
    // game, a dialog) a connected pad is read twenty times a second; with
    // no pad nothing wakes until the input devices change.
    void BeforeFrame();

    // True while a press of the pad runs a command or drives a window: a quit
    // it asks for is asked about first.
    bool PadActing() const { return acting_ > 0; }

    Steering& steering() { return steering_; }
    const PadState& Pad() const { return padShown_; }
    bool ReadsWhileIdle() const { return idlePoll_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<KeyAction> ActionOf(int code) const;
    void OnKey(int code, KeyAction action, bool down);
    void ReleaseKeys();
    void OnPad(const PadState& now);
    void PadToGame(const PadState& was, const PadState& now);
    void PadToWindow(const PadState& was, const PadState& now);
    void Post(std::function<void()> action);
    void PostPress(PadPress press);
    void UpdateDirection();
    void PollPad();
    void IdlePoll();
    void DevicesChanged();

    Game& game_;
    QWidget* window_;
    Commands commands_;
    Steering steering_;
    std::unique_ptr<Gamepad> pad_;
    PadState padShown_;        // the pad as last polled
    SteerDirection padSteer_;  // what the pad steers the game with
    QElapsedTimer sincePoll_;
    QTimer idlePoll_;
    QElapsedTimer sinceDevicesChanged_;
    QFileSystemWatcher devices_;
    QElapsedTimer sinceMove_;  // a direction held in a window repeats
    int movesRepeated_ = 0;
    bool inWindow_ = false;   // the pad drove a window at the last poll
    bool repeating_ = false;  // a direction pressed in the window is held
    int acting_ = 0;
    bool keysOn_ = false;
    KeyBindings keys_;
    std::vector<int> heldKeys_;  // places held down, in the order pressed
};

}  // namespace sk
