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
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested(int signal);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace lumera
