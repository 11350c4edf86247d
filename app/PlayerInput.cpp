#include "app/PlayerInput.h"

#include "app/KeyPositions.h"
#include "app/MessageBoxes.h"
#include "game/Game.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>

namespace sk {

namespace {

constexpr int kIdlePollMs = 50;
constexpr int kFramePollMs = 40;  // frames poll at least this often
// How long the pad layer is watched for a new pad after the input devices
// changed: the device node appears before the pad layer hears of it.
constexpr int kHotPlugWatchMs = 3000;
const QString kInputDevices = QStringLiteral("/dev/input");
// A direction held in a window moves once, then again after the delay and
// at the rate.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatEveryMs = 100;

// Keys that serve beside the bound ones, unless bound to something else.
struct FixedKey {
    int Code;
    KeyAction Action;
};
constexpr FixedKey kFixedKeys[] = {
    {105, KeyAction::Left}, {106, KeyAction::Right}, {103, KeyAction::Up}, {108, KeyAction::Down},
    {57, KeyAction::Single}, {96, KeyAction::Continue},
};

// Increments a counter for the lifetime of the object.
class Count {
public:
    explicit Count(int& counter) : counter_(counter) { ++counter_; }
    ~Count() { --counter_; }
    Count(const Count&) = delete;
    Count& operator=(const Count&) = delete;

private:
    int& counter_;
};

}  // namespace

PlayerInput::PlayerInput(Game& game, QWidget* window, Commands commands)
    : QObject(window), game_(game), window_(window), commands_(std::move(commands)), steering_(game) {
    idlePoll_.setInterval(kIdlePollMs);
    connect(&idlePoll_, &QTimer::timeout, this, &PlayerInput::IdlePoll);
    connect(&devices_, &QFileSystemWatcher::directoryChanged, this, &PlayerInput::DevicesChanged);
}

PlayerInput::~PlayerInput() {
    if (keysOn_ && qApp) qApp->removeEventFilter(this);
}

void PlayerInput::SetKeyControl(bool on) {
    if (on == keysOn_) return;
    keysOn_ = on;
    ReleaseKeys();
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

void PlayerInput::SetKeys(const KeyBindings& keys) {
    if (keys == keys_) return;
    keys_ = keys;
    ReleaseKeys();
}

void PlayerInput::SetPadControl(bool on, const std::string& mappingFile) {
    if (!on) {
        idlePoll_.stop();
        if (!devices_.directories().isEmpty()) devices_.removePaths(devices_.directories());
        pad_.reset();
        padShown_ = PadState{};
        padSteer_ = {};
        UpdateDirection();
        return;
    }
    if (!pad_) pad_ = std::make_unique<Gamepad>(mappingFile);
    if (devices_.directories().isEmpty() && QFileInfo(kInputDevices).isDir()) devices_.addPath(kInputDevices);
    PollPad();
}

void PlayerInput::BeforeFrame() {
    PollPad();
    Guarded([this] { steering_.Frame(); });
}

void PlayerInput::PollPad() {
    if (!pad_) return;
    sincePoll_.start();
    OnPad(pad_->Poll());
    const bool watching = sinceDevicesChanged_.isValid() && sinceDevicesChanged_.elapsed() < kHotPlugWatchMs;
    if (padShown_.Connected || watching) {
        if (!idlePoll_.isActive()) idlePoll_.start();
    } else {
        idlePoll_.stop();
    }
}

void PlayerInput::IdlePoll() {
    if (sincePoll_.isValid() && sincePoll_.elapsed() < kFramePollMs) return;
    PollPad();
}

void PlayerInput::DevicesChanged() {
    sinceDevicesChanged_.start();
    PollPad();
}

// A pad button acts once, when it goes down.
void PlayerInput::OnPad(const PadState& now) {
    const PadState was = padShown_;
    padShown_ = now;
    // Nothing held then or now does nothing in the game or a window: skip the
    // search for an open window, which walks every top-level widget.
    if (was.Idle() && now.Idle()) return;
    if (PadWindow(window_) != nullptr) {
        PadToWindow(was, now);
    } else {
        PadToGame(was, now);
    }
}

// Shots and the continue go straight to the game; commands, which may open
// a window with a loop of its own, run from the event loop, so that the pad
// is still read while that window is open.
void PlayerInput::PadToGame(const PadState& was, const PadState& now) {
    inWindow_ = false;
    if (padSteer_ != now.Direction) {
        padSteer_ = now.Direction;
        UpdateDirection();
    }
    const bool fire = now.A && !was.A;
    const bool fan = (now.B || now.X) && !(was.B || was.X);
    if (fire || fan) {
        Guarded([&] {
            if (fire && game_.S.GameOver) {
                steering_.Continue();
            } else if (fire) {
                steering_.FireSingle();
            }
            if (fan) steering_.FireFan();
        });
        if (commands_.AfterEvent) commands_.AfterEvent();
    }
    if (now.Start && !was.Start) {
        Post([this] { commands_.Dispatch(game_.S.TitleMode ? MenuCommand::StartBot : MenuCommand::StopB); });
    }
    if (now.Back && !was.Back) Post([this] { commands_.Dispatch(MenuCommand::MenuBar); });
    if (now.LeftShoulder && !was.LeftShoulder) Post([this] { commands_.Dispatch(MenuCommand::ReplaySlower); });
    if (now.RightShoulder && !was.RightShoulder) Post([this] { commands_.Dispatch(MenuCommand::ReplayFaster); });
}

// In a window the game is not steered. A direction pressed there moves once
// and repeats while held; one held since the game does neither.
void PlayerInput::PadToWindow(const PadState& was, const PadState& now) {
    if (padSteer_ != SteerDirection{}) {
        padSteer_ = {};
        UpdateDirection();
    }
    const SteerDirection way = now.Direction;
    bool move = false;
    if (way != was.Direction || !inWindow_) {
        inWindow_ = true;
        repeating_ = way != SteerDirection{} && way != was.Direction;
        move = repeating_;
        sinceMove_.start();
        movesRepeated_ = 0;
    } else if (repeating_ && sinceMove_.elapsed() >= kRepeatDelayMs + kRepeatEveryMs * movesRepeated_) {
        ++movesRepeated_;
        move = true;
    }
    if (move) {
        if (way.Y != 0) {
            PostPress(way.Y < 0 ? PadPress::Up : PadPress::Down);
        } else {
            PostPress(way.X < 0 ? PadPress::Left : PadPress::Right);
        }
    }
    if (now.A && !was.A) PostPress(PadPress::Accept);
    // Back closes the menus it pulled down, as B does.
    if ((now.B && !was.B) || (now.Back && !was.Back && QApplication::activePopupWidget())) {
        PostPress(PadPress::Cancel);
    }
}

void PlayerInput::PostPress(PadPress press) {
    Post([this, press] {
        if (QWidget* window = PadWindow(window_)) DrivePadWindow(window, press);
    });
}

void PlayerInput::Post(std::function<void()> action) {
    QMetaObject::invokeMethod(
        this,
        [this, action = std::move(action)] {
            {
                const Count acting(acting_);
                Guarded(action);
            }
            if (commands_.AfterEvent) commands_.AfterEvent();
        },
        Qt::QueuedConnection);
}

// Each axis: what the keys hold (two keys one way count once) with what the
// pad holds.
void PlayerInput::UpdateDirection() {
    SteerDirection keys;
    for (const int code : heldKeys_) {
        const std::optional<KeyAction> action = ActionOf(code);
        if (action == KeyAction::Left) keys.X -= 1;
        if (action == KeyAction::Right) keys.X += 1;
        if (action == KeyAction::Up) keys.Y -= 1;
        if (action == KeyAction::Down) keys.Y += 1;
    }
    steering_.Hold(Combine(Combine(keys, {}), padSteer_));
}

void PlayerInput::ReleaseKeys() {
    heldKeys_.clear();
    UpdateDirection();
}

// The bound places first, then the fixed keys.
std::optional<KeyAction> PlayerInput::ActionOf(int code) const {
    if (code == 0) return std::nullopt;
    for (int i = 0; i < kKeyActions; ++i) {
        if (keys_.Codes[i] == code) return static_cast<KeyAction>(i);
    }
    for (const FixedKey& fixed : kFixedKeys) {
        if (fixed.Code == code) return fixed.Action;
    }
    return std::nullopt;
}

void PlayerInput::OnKey(int code, KeyAction action, bool down) {
    std::erase(heldKeys_, code);
    if (down) heldKeys_.push_back(code);
    UpdateDirection();
    if (!down) return;
    Guarded([&] {
        if (action == KeyAction::Single) steering_.FireSingle();
        if (action == KeyAction::Fan) steering_.FireFan();
        if (action == KeyAction::Continue) steering_.Continue();
    });
    if (commands_.AfterEvent) commands_.AfterEvent();
}

// Keys reach the filter once per widget they travel through; the first
// sighting inside the main window takes them. The menu bar keeps its own
// keyboard navigation, keys with Ctrl, Alt or Meta stay shortcuts, and a
// held key's repeats fire nothing more.
bool PlayerInput::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == window_) ReleaseKeys();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_ || qobject_cast<QMenuBar*>(widget)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const int code = KeyPosition(*key);
    const std::optional<KeyAction> action = ActionOf(code);
    if (!action) return false;
    if (!key->isAutoRepeat()) OnKey(code, *action, type == QEvent::KeyPress);
    return true;
}

}  // namespace sk
