// Small helpers for laying out the dialogs at fixed client positions.
#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QString>

class QCheckBox;
class QGroupBox;
class QDialog;
class QLabel;
class QPushButton;
class QScreen;
class QWidget;

namespace sk {

// A plain-text, transparent label at `pos` that sizes itself to its text.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QPoint pos, const QFont& font,
                 const QColor& color = Qt::black);

// The same with a fixed rectangle and alignment; the height grows to the
// font's line height when the rectangle is lower, and a centred caption
// wider than the rectangle widens it about its centre.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect, const QFont& font,
                 Qt::Alignment alignment, const QColor& color = Qt::black);

// A group box, a check box (with a hint unless null) and a push button (in
// the 13-pixel face), named and placed at fixed client positions. Their
// texts are source texts that follow the language (SetText, SetHint); mark
// each for lupdate (QT_TR_NOOP inside the window's class).
QGroupBox* AddGroup(QWidget* parent, const char* name, const char* title, const QRect& rect);
QCheckBox* AddCheckBox(QWidget* parent, const char* name, const char* text, const QRect& rect, const char* hint);
QPushButton* AddButton(QWidget* parent, const char* name, const char* text, const QRect& rect);

// Moves a self-sizing label left just enough to end `margin` pixels inside
// its parent (the installed fonts run wider than the layout's).
void KeepInside(QLabel* label, int margin);

// Sets the text colour of a widget (labels, edit boxes).
void SetTextColor(QWidget* widget, const QColor& color);

// Puts the top-left corner of a window's frame, not of its client area, at
// `topLeft`, the first showing too.
void PlaceFrame(QWidget* window, QPoint topLeft);

// The window manager's frame around `window`. A window that was never shown
// has none yet: the frame of another shown window of the program, drawn by
// the same manager, stands in for it.
QMargins FrameMargins(QWidget* window);

// Moves a window so that its frame sits in the middle of `screen` (the
// primary screen when null): left = (screen width - frame width) / 2 from the
// screen's left edge, top likewise, halves truncated.
void CentreOnScreen(QWidget* window, const QScreen* screen = nullptr);

// The window decorations of the dialogs: a title bar, a close box only when
// asked, always on top.
void SetDialogFrame(QWidget* window, bool closeBox);

// For dialogs without a cancel button: Esc does nothing in them (it would
// otherwise close them as a cancel).
void IgnoreEscape(QDialog* dialog);

// When `dialog` closes, `owner` takes the keyboard again: without a window
// manager nobody else gives it back, and the focus would fall to the screen.
void ReturnFocusOnClose(QWidget* dialog, QWidget* owner);

// Gives a dialog and every widget in it the classic desktop look its fixed
// layout was made for (group titles set into the frame line, small check
// boxes). Call after the dialog's widgets are built.
void UseClassicLook(QWidget* window);

}  // namespace sk
