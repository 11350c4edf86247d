#include "app/PlayerInput.h"

#include "app/MessageBoxes.h"
#include "game/Game.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

namespace sk {

namespace {

constexpr int kIdlePollMs = 50;
constexpr int kFramePollMs = 40;  // frames poll at least this often
// How long the pad layer is watched for a new pad after the input devices
// changed: the device node appears before the pad layer hears of it.
constexpr int kHotPlugWatchMs = 3000;
const QString kInputDevices = QStringLiteral("/dev/input");

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

void PlayerInput::SetPadControl(bool on, const std::string& mappingFile) {
    if (!on) {
        idlePoll_.stop();
        if (!devices_.directories().isEmpty()) devices_.removePaths(devices_.directories());
        pad_.reset();
        padShown_ = PadState{};
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

// A pad button acts once, when it goes down. A at game over continues.
void PlayerInput::OnPad(const PadState& now) {
    const PadState was = padShown_;
    padShown_ = now;
    if (now.Direction != was.Direction) UpdateDirection();
    // A modal window (a message box inside a frame, a dialog) has the input,
    // as it has the keys: a press meanwhile would reach the game in the middle
    // of a frame, where no replay could put it again.
    if (QApplication::activeModalWidget()) return;
    const bool acted = (now.A && !was.A) || ((now.B || now.X) && !(was.B || was.X)) ||
                       (now.Start && !was.Start) || (now.Back && !was.Back) ||
                       (now.LeftShoulder && !was.LeftShoulder) || (now.RightShoulder && !was.RightShoulder);
    if (!acted) return;
    Guarded([&] {
        if (now.A && !was.A) {
            if (game_.S.GameOver) {
                steering_.Continue();
            } else {
                steering_.FireSingle();
            }
        }
        if ((now.B || now.X) && !(was.B || was.X)) steering_.FireFan();
    });
    if (commands_.Dispatch) {
        if (now.Start && !was.Start) commands_.Dispatch(MenuCommand::StopB);
        if (now.Back && !was.Back) commands_.Dispatch(MenuCommand::ResetB);
        if (now.LeftShoulder && !was.LeftShoulder) commands_.Dispatch(MenuCommand::ReplaySlower);
        if (now.RightShoulder && !was.RightShoulder) commands_.Dispatch(MenuCommand::ReplayFaster);
    }
    if (commands_.AfterEvent) commands_.AfterEvent();
}

void PlayerInput::UpdateDirection() {
    const SteerDirection keys{(right_ ? 1 : 0) - (left_ ? 1 : 0), (down_ ? 1 : 0) - (up_ ? 1 : 0)};
    steering_.Hold(Combine(keys, padShown_.Direction));
}

void PlayerInput::ReleaseKeys() {
    left_ = right_ = up_ = down_ = false;
    UpdateDirection();
}

namespace {

bool IsPlayerKey(int key) {
    switch (key) {
        case Qt::Key_Left: case Qt::Key_A: case Qt::Key_Right: case Qt::Key_D:
        case Qt::Key_Up: case Qt::Key_W: case Qt::Key_Down: case Qt::Key_S:
        case Qt::Key_Z: case Qt::Key_Space: case Qt::Key_X: case Qt::Key_Return: case Qt::Key_Enter:
            return true;
        default:
            return false;
    }
}

}  // namespace

void PlayerInput::OnKey(int key, bool down) {
    switch (key) {
        case Qt::Key_Left: case Qt::Key_A: left_ = down; break;
        case Qt::Key_Right: case Qt::Key_D: right_ = down; break;
        case Qt::Key_Up: case Qt::Key_W: up_ = down; break;
        case Qt::Key_Down: case Qt::Key_S: down_ = down; break;
        default: break;
    }
    UpdateDirection();
    if (!down) return;
    Guarded([&] {
        if (key == Qt::Key_Z || key == Qt::Key_Space) steering_.FireSingle();
        if (key == Qt::Key_X) steering_.FireFan();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) steering_.Continue();
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
    if (!IsPlayerKey(key->key())) return false;
    if (!key->isAutoRepeat()) OnKey(key->key(), type == QEvent::KeyPress);
    return true;
}

}  // namespace sk
