#include "app/PadWindows.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <climits>
#include <cstdlib>

namespace sk {

namespace {

bool TakesFocus(const QWidget* widget, const QWidget* window) {
    return widget->window() == window && widget->isVisibleTo(window) && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus);
}

QRect RectIn(const QWidget* widget, const QWidget* window) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// How far apart two ranges lie: 0 where they overlap.
int Gap(int firstLow, int firstHigh, int secondLow, int secondHigh) {
    if (secondLow > firstHigh) return secondLow - firstHigh;
    if (firstLow > secondHigh) return firstLow - secondHigh;
    return 0;
}

void SendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

int ArrowKey(PadPress press) {
    switch (press) {
        case PadPress::Up: return Qt::Key_Up;
        case PadPress::Down: return Qt::Key_Down;
        case PadPress::Left: return Qt::Key_Left;
        default: return Qt::Key_Right;
    }
}

// A menu pulled down from the menu bar: the keyboard's arrows and Return;
// B closes it and leaves the bar's keyboard mode too.
void DriveMenu(QMenu* menu, PadPress press) {
    if (press == PadPress::Accept) {
        SendKey(menu, Qt::Key_Return);
        return;
    }
    if (press != PadPress::Cancel) {
        SendKey(menu, ArrowKey(press));
        return;
    }
    auto* bar = qobject_cast<QMenuBar*>(menu->parentWidget());
    SendKey(menu, Qt::Key_Escape);
    if (bar != nullptr && bar->isVisible()) SendKey(bar, Qt::Key_Escape);
}

QPushButton* DefaultButton(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isDefault() && TakesFocus(button, window)) return button;
    }
    return nullptr;
}

void Accept(QWidget* window) {
    QWidget* focus = window->focusWidget();
    if (auto* button = qobject_cast<QAbstractButton*>(focus); button && TakesFocus(button, window)) {
        button->click();
    } else if (QPushButton* fallback = DefaultButton(window)) {
        fallback->click();
    }
}

// A message box and a dialog with a cancel take B as Esc; a window with only
// a close box is closed; a window with neither ignores it (its Esc does too).
void Cancel(QWidget* window) {
    const bool closeBox = window->windowFlags() & Qt::WindowCloseButtonHint;
    if (closeBox && !qobject_cast<QMessageBox*>(window)) {
        window->close();
        return;
    }
    QWidget* focus = window->focusWidget();
    SendKey(focus != nullptr ? focus : window, Qt::Key_Escape);
}

void MoveFocus(QWidget* window, PadPress press) {
    QWidget* focus = window->focusWidget();
    const bool across = press == PadPress::Left || press == PadPress::Right;
    if (auto* slider = qobject_cast<QAbstractSlider*>(focus); slider && across) {
        slider->triggerAction(press == PadPress::Left ? QAbstractSlider::SliderPageStepSub
                                                      : QAbstractSlider::SliderPageStepAdd);
        return;
    }
    const int dx = press == PadPress::Left ? -1 : press == PadPress::Right ? 1 : 0;
    const int dy = press == PadPress::Up ? -1 : press == PadPress::Down ? 1 : 0;
    QWidget* next = FocusNeighbour(window, focus, dx, dy);
    if (next == nullptr) return;
    // Marked as a keyboard move, so that the styles draw the focus frame.
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    next->setFocus(Qt::TabFocusReason);
}

}  // namespace

QWidget* PadWindow(const QWidget* mainWindow) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != mainWindow && window->isVisible() && qobject_cast<QDialog*>(window)) return window;
    }
    return nullptr;
}

void DrivePadWindow(QWidget* window, PadPress press) {
    if (auto* own = dynamic_cast<PadDrivenWindow*>(window)) {
        own->PadPressed(press);
    } else if (auto* menu = qobject_cast<QMenu*>(window)) {
        DriveMenu(menu, press);
    } else if (press == PadPress::Accept) {
        Accept(window);
    } else if (press == PadPress::Cancel) {
        Cancel(window);
    } else {
        MoveFocus(window, press);
    }
}

QWidget* FocusNeighbour(QWidget* window, QWidget* from, int dx, int dy) {
    const QRect origin = from != nullptr ? RectIn(from, window) : QRect(-1, -1, 1, 1);
    QWidget* best = nullptr;
    long bestScore = LONG_MAX;
    for (QWidget* candidate : window->findChildren<QWidget*>()) {
        if (candidate == from || !TakesFocus(candidate, window)) continue;
        const QRect rect = RectIn(candidate, window);
        const QPoint step = rect.center() - origin.center();
        const int along = step.x() * dx + step.y() * dy;
        if (along <= 0) continue;
        const int aside = dx != 0 ? Gap(origin.top(), origin.bottom(), rect.top(), rect.bottom())
                                  : Gap(origin.left(), origin.right(), rect.left(), rect.right());
        const long score = along + 3L * aside;
        if (score < bestScore) {
            bestScore = score;
            best = candidate;
        }
    }
    return best;
}

}  // namespace sk
