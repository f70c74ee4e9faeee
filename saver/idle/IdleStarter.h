#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <vector>

namespace lumera {
class IdleInhibition;
class IdleSource;
class CommandRunner;
} // namespace lumera

namespace lumera::saver {

// Starts the saver once an idle period: when the source reports the user idle, unless the
// saver it started still runs or one of the inhibitions is held (asked afresh each time: a
// program playing a film, a Korvid main window on screen). Kept from starting, it looks again
// every idle time for as long as the period lasts, and at once when told that an inhibition
// has ended.
class IdleStarter : public QObject {
    Q_OBJECT
public:
    IdleStarter(IdleSource& source, CommandRunner& runner, std::vector<IdleInhibition*> inhibitions,
                QString saverProgram, std::chrono::milliseconds idleTime,
                QObject* parent = nullptr);

    // Whether a look is due again because the start was kept back; for tests.
    bool retryPending() const { return retry_.isActive(); }
    // Runs the due look at once; also when an inhibition has ended.
    void retryNow();
    // A program says the user is active: nothing starts for an idle time from now.
    void userActive();

private:
    void onIdled();
    void onResumed();
    void tryStart();
    bool keptBack() const;

    IdleSource& source_;
    CommandRunner& runner_;
    std::vector<IdleInhibition*> inhibitions_;
    QString saverProgram_;
    std::chrono::milliseconds idleTime_;
    QTimer retry_;
    // Until when the activity a program reported keeps the saver away.
    QDeadlineTimer quietUntil_;
    bool idle_ = false;
    // The saver has been started in this idle period.
    bool startedThisPeriod_ = false;
};

} // namespace lumera::saver
