// Holds the cursor inside a screen rectangle while the main window is active.
// X11 pointer barriers where the server has them; a soft clamp that moves
// the cursor back when a mouse event sees it outside, alone or on top of the
// barriers (which absolute moves jump); nothing on Wayland.
#pragma once

#include <QObject>
#include <QRect>

#include <memory>

namespace sk {

class PointerBarriers;

// The rectangle the cursor is held in: the window's outer rectangle shrunk
// by 4 pixels left and right, 22 at the top and 34 at the bottom.
QRect ConfinementArea(const QRect& frame);

class MouseLock : public QObject {
    Q_OBJECT
public:
    enum class Method { Unavailable, Barriers, SoftClamp };

    explicit MouseLock(QObject* parent = nullptr);
    ~MouseLock() override;

    // Starts holding the cursor in `area` (taken now, kept until the next
    // call) and moves it inside; in force only while the window is active.
    void Confine(const QRect& area);
    void Release();
    // The window's activation: confinement pauses while it is inactive.
    void SetWindowActive(bool active);

    bool Confining() const { return confining_; }
    bool InForce() const { return confining_ && active_; }
    QRect Area() const { return area_; }
    Method method() const { return method_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Engage();
    void Disengage();
    void PullCursorInside();

    std::unique_ptr<PointerBarriers> barriers_;
    Method method_ = Method::Unavailable;
    QRect area_;
    bool confining_ = false;
    bool active_ = true;
};

}  // namespace sk
