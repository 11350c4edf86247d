// Keys by their place on the keyboard: a key event's place as a Linux input
// event code, and the name of each place the player may bind.
#pragma once

#include <QString>

class QKeyEvent;

namespace sk {

// The place of the key: its scan code where the platform gives one (X11 and
// Wayland hand over the input event code + 8), else the place its key has on
// a US QWERTY keyboard. 0 for a key of no known place.
int KeyPosition(const QKeyEvent& event);
// The same from the event's parts; `scanCodesArePlaces` where the platform's
// scan codes are input event codes + 8.
int KeyPlace(quint32 scanCode, int key, bool keypad, bool scanCodesArePlaces);

// The key at a place as a QWERTY keyboard labels it ("W", "Space", "←");
// empty for a place the player cannot bind (Esc, Tab, the function keys,
// Ctrl, Alt, ...).
QString KeyPositionName(int code);

}  // namespace sk
