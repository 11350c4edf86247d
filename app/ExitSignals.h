// SIGTERM, SIGINT and SIGHUP, the requests to end that a desktop session, a
// launcher or a terminal sends, become a signal of the event loop: the
// handler only writes a byte into a pipe, and the loop reads it and asks for
// the end (the program then saves as for a close of its window). A signal
// that was ignored when the program started (nohup) stays ignored.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace sk {

class ExitSignals : public QObject {
    Q_OBJECT
public:
    // One per process; made once the application object exists.
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

signals:
    void EndRequested();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace sk
