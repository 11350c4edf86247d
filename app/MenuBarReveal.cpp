#include "app/MenuBarReveal.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace sk {

MenuBarReveal::MenuBarReveal(QMainWindow* window) : QObject(window), window_(window) {
    // A closed menu may leave the bar for the next one: look once the
    // switch is over.
    for (QMenu* menu : Bar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, &MenuBarReveal::HideUnlessInUse); });
    }
}

QMenuBar* MenuBarReveal::Bar() const { return window_->menuBar(); }

bool MenuBarReveal::BarHidden() const { return Bar()->isHidden(); }

void MenuBarReveal::SetFullScreen(bool full) {
    if (full == full_) return;
    full_ = full;
    altAlone_ = false;
    Bar()->setVisible(!full);
    if (full) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

void MenuBarReveal::OpenMenus() {
    QMenuBar* bar = Bar();
    if (bar->isHidden()) {
        bar->show();
        bar->raise();
    }
    const QList<QAction*> menus = bar->actions();
    if (!menus.isEmpty()) bar->setActiveAction(menus.front());
}

void MenuBarReveal::HideUnlessInUse() {
    QMenuBar* bar = Bar();
    if (!full_ || bar->isHidden() || QApplication::activePopupWidget() != nullptr) return;
    if (bar->rect().contains(bar->mapFromGlobal(QCursor::pos()))) return;
    bar->hide();
}

bool MenuBarReveal::InWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && widget->window() == window_;
}

bool MenuBarReveal::eventFilter(QObject* watched, QEvent* event) {
    WatchAlt(event, watched);
    WatchPointer(event, watched);
    return QObject::eventFilter(watched, event);
}

// Alt pressed and released with no other key between.
void MenuBarReveal::WatchAlt(QEvent* event, QObject* watched) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() || !InWindow(watched)) return;
    const bool alt = key->key() == Qt::Key_Alt;
    if (type == QEvent::KeyPress) {
        altAlone_ = alt;
        return;
    }
    if (alt && altAlone_) {
        altAlone_ = false;
        OpenMenus();
    }
}

// At the screen's top edge the bar comes; below it, it goes.
void MenuBarReveal::WatchPointer(QEvent* event, QObject* watched) {
    if (event->type() != QEvent::MouseMove || !InWindow(watched)) return;
    const QPointF at = static_cast<QMouseEvent*>(event)->globalPosition();
    const QScreen* screen = window_->screen();
    QMenuBar* bar = Bar();
    if (bar->isHidden() && screen != nullptr && at.y() < screen->geometry().top() + 1) {
        bar->show();
        bar->raise();
    } else if (!bar->isHidden() && at.y() >= bar->mapToGlobal(QPoint(0, bar->height())).y()) {
        HideUnlessInUse();
    }
}

}  // namespace sk
