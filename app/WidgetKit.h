// Small helpers for laying out the dialogs at fixed client positions.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace sk {

// A plain-text, transparent label at `pos` that sizes itself to its text.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QPoint pos, const QFont& font,
                 const QColor& color = Qt::black);

// The same with a fixed rectangle and alignment.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect, const QFont& font,
                 Qt::Alignment alignment, const QColor& color = Qt::black);

// Sets the text colour of a widget (labels, edit boxes).
void SetTextColor(QWidget* widget, const QColor& color);

// Moves a window so that its frame sits in the middle of the primary screen:
// left = (screen width - window width) / 2, top likewise, halves truncated.
void CentreOnScreen(QWidget* window);

// The window decorations of the dialogs: a title bar, a close box only when
// asked, always on top.
void SetDialogFrame(QWidget* window, bool closeBox);

}  // namespace sk
