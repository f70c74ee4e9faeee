#pragma once

#include <QObject>

class QSocketNotifier;

namespace lumera {

// SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C, a closed terminal) turned into a signal of the
// event loop, so the program can end in order instead of being cut off. The handler only
// writes the signal's number into a pipe; everything else runs in the event loop.
// One object per process, made in main(); the signals get their default handling back when
// it goes.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on, before there is an application object: what comes
    // before the object is made waits in the pipe for it. Once a signal has been caught, a
    // second one ends the process at once when `secondEnds` is set.
    static void catchNow(bool secondEnds = false);
    // Whether one of the signals has come since.
    static bool caught();

    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

    // Emits quitRequested for the signals caught so far, without waiting for the event loop:
    // for the start-up steps that run before it.
    void deliverPending();

signals:
    void quitRequested(int signal);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace lumera
