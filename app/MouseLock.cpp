#include "app/MouseLock.h"

#include "app/PointerBarriers.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>

#include <algorithm>

namespace sk {

QRect ConfinementArea(const QRect& frame) { return frame.adjusted(4, 22, -4, -34); }

MouseLock::MouseLock(QObject* parent) : QObject(parent) {
    barriers_ = PointerBarriers::Open();
    if (barriers_) {
        method_ = Method::Barriers;
    } else if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        method_ = Method::SoftClamp;
    }
}

MouseLock::~MouseLock() { Disengage(); }

void MouseLock::Confine(const QRect& area) {
    Disengage();
    area_ = area;
    confining_ = area.isValid();
    if (InForce()) Engage();
}

void MouseLock::Release() {
    Disengage();
    confining_ = false;
}

void MouseLock::SetWindowActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (InForce()) {
        Engage();
    } else {
        Disengage();
    }
}

// Barriers stop only relative motion: an absolute move (a tablet, a touch
// screen, a remote desktop) jumps them, so the soft clamp watches as well.
void MouseLock::Engage() {
    if (method_ == Method::Unavailable) return;
    if (method_ == Method::Barriers) barriers_->Raise(area_);
    qApp->installEventFilter(this);
    PullCursorInside();
}

void MouseLock::Disengage() {
    if (barriers_) barriers_->Lower();
    if (qApp) qApp->removeEventFilter(this);
}

void MouseLock::PullCursorInside() {
    if (method_ == Method::Unavailable) return;
    const QPoint now = QCursor::pos();
    const QPoint inside(std::clamp(now.x(), area_.left(), area_.right()),
                        std::clamp(now.y(), area_.top(), area_.bottom()));
    if (inside != now) QCursor::setPos(inside);
}

bool MouseLock::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (InForce() && (type == QEvent::MouseMove || type == QEvent::Leave || type == QEvent::HoverMove)) {
        PullCursorInside();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sk
