#include "app/Application.h"

#include "app/MessageBoxes.h"

namespace sk {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowExceptionBox(QString::fromUtf8(e.what()));
    }
    return false;
}

}  // namespace sk
