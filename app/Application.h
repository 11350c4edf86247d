// The application object: an exception that escapes an event handler or a
// frame is shown in the error box and the event loop goes on.
#pragma once

#include <QApplication>

namespace sk {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace sk
