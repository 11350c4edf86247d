// The game pad inside the program's windows: while a pulled-down menu, a
// dialog or a message box is open, the pad drives it instead of the game.
// The d-pad or stick moves the focus to the nearest control that way (a
// slider takes left and right as its own), A presses the focused button or
// toggles the focused box, B cancels where the window has a cancel, and
// closes it where it has only a close box.
#pragma once

class QWidget;

namespace sk {

enum class PadPress { Up, Down, Left, Right, Accept, Cancel };

// A window that takes the pad's presses itself (the name entry).
class PadDrivenWindow {
public:
    virtual void PadPressed(PadPress press) = 0;

protected:
    ~PadDrivenWindow() = default;
};

// The window the pad drives now: a pulled-down menu, else a modal dialog or
// message box, else another dialog that is shown (the name entry); null
// while none is open and the pad plays the game.
QWidget* PadWindow(const QWidget* mainWindow);

// One press in `window` (as PadWindow found it).
void DrivePadWindow(QWidget* window, PadPress press);

// The control of `window` that focus moves to from `from` in the direction
// (dx, dy) (one of them 0, the other 1 or -1): the nearest one that lies
// that way, preferring those in line; null if none does.
QWidget* FocusNeighbour(QWidget* window, QWidget* from, int dx, int dy);

}  // namespace sk
