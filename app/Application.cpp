#include "app/Application.h"

#include "app/MessageBoxes.h"

namespace sk {

// A widget that gets a native window of its own (a dialog placed before it
// is shown, the X11 play area) would otherwise give every sibling and, through
// its parent, every child of the main window one too. On Wayland the window's
// one buffer is then flushed for such a child with the damage in the child's
// coordinates, not the window's: the client's repaints would land the menu
// bar's height too high and leave its bottom rows stale.
Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowExceptionBox(QString::fromUtf8(e.what()));
    }
    return false;
}

}  // namespace sk
