#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace lumera {
class IdleInhibition;
class IdleSource;
class ProgramRunner;
class Registry;
} // namespace lumera

namespace lumera::saver {

// Starts the saver once an idle period: when the source reports the user idle, unless the
// saver it started still runs, Korvid has switched the screen saver off (its registry value
// "ScreenSaveActive" under "Control Panel\Desktop" is "0", read afresh each time) or the
// desktop reports an idle inhibition. Kept from starting, it looks again every idle time for as
// long as the period lasts.
class IdleStarter : public QObject {
    Q_OBJECT
public:
    IdleStarter(IdleSource& source, ProgramRunner& runner, const Registry& registry,
                IdleInhibition& inhibition, QString saverProgram,
                std::chrono::milliseconds idleTime, QObject* parent = nullptr);

    // Whether a look is due again because the start was kept back; for tests.
    bool retryPending() const { return retry_.isActive(); }
    // Runs the due look at once; for tests.
    void retryNow();

private:
    void onIdled();
    void onResumed();
    void tryStart();
    bool keptBack() const;

    IdleSource& source_;
    ProgramRunner& runner_;
    const Registry& registry_;
    IdleInhibition& inhibition_;
    QString saverProgram_;
    QTimer retry_;
    bool idle_ = false;
    // The saver has been started in this idle period.
    bool startedThisPeriod_ = false;
};

} // namespace lumera::saver
