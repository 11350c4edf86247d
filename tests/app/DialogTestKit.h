// A headless game for the dialog tests, and synthetic input for widgets.
#pragma once

#include "app/Fonts.h"
#include "game/Game.h"
#include "game/Pictures.h"
#include "game/Headless.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace dialogtest {

// A game on the title screen with the default settings.
struct TitleGame {
    TitleGame() {
        sk::InstallFontSubstitutions();
        game.InitGame(sk::Settings{});
    }
    sk::NullWindowPort port;
    sk::Game game{port, sk::LoadPictures(), sk::SilentSound()};
};

template <typename T>
T* Child(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) ADD_FAILURE() << "no child named " << name;
    return child;
}

inline void PressKey(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Sends a key to whatever holds the focus inside `window`, as the keyboard would.
inline void PressKeyIn(QWidget* window, int key, const QString& text = {}) {
    QWidget* focus = window->focusWidget();
    PressKey(focus != nullptr ? focus : window, key, text);
}

inline void TypeText(QWidget* target, const QString& text) {
    for (const QChar c : text) PressKey(target, c.isLetter() ? Qt::Key_A : Qt::Key_Space, QString(c));
}

inline void MouseEvent(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget* target, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint centre = target->rect().center();
    MouseEvent(target, QEvent::MouseButtonPress, button, centre);
    MouseEvent(target, QEvent::MouseButtonRelease, button, centre);
}

}  // namespace dialogtest
