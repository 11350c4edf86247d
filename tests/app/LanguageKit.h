// The windows a language test looks at, made ready to be seen, and the
// texts of a window that do not fit their widgets.
#pragma once

#include "app/AppWindows.h"

#include <QList>
#include <QStringList>

class QWidget;

namespace apptest {

// The window of that object name, filled as a player meets it (the table
// with names, the name entry offered, the settings loaded); for the main
// window also its three menus.
QList<QWidget*> LanguageWindows(AppWindows& windows, const QString& name);

// Each caption (label, button, group title, menu bar) wider than its widget
// or reaching out of its parent, measured with the widget's own font.
QStringList ClippedTexts(QWidget* window);

}  // namespace apptest
