// The core's one way to the window: the few things only the shell can do.
#pragma once

#include "game/CoreTexts.h"

namespace sk {

class WindowPort {
public:
    virtual ~WindowPort() = default;

    // A modal message box with one OK button; returns when it is closed. No
    // frame may run while it is open.
    virtual void ShowMessage(const Message& message) = 0;

    // Offers the non-modal name entry for a new record: rank 1..10, points.
    virtual void OfferNameEntry(int rank, int points) = 0;

    // ApplyMouseLock: confine the cursor to the main window's rectangle
    // (outer rectangle shrunk by 4 left and right, 22 at the top, 34 at the
    // bottom, taken now) when `confine` is true, release it otherwise.
    virtual void ApplyMouseLock(bool confine) = 0;

    // Labels, gauge, status bar or menus changed: the shell mirrors
    // ShellState at its next mirror (after the event or frame under way).
    virtual void StateChanged() = 0;
};

}  // namespace sk
