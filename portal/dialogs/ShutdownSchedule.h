#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class QTimer;

namespace lumera {
class Clock;
class Desktop;
class SettingsStore;
} // namespace lumera

namespace lumera::portal {

class FormPowerTan;

// A stored "timeset" read as a time of day: hours 0-23, ":", minutes 0-59, each a number
// ("7:05", " 7:5"). Anything else is no time, and never comes.
std::optional<QTime> scheduledShutdownTime(const QString& timeset);

// The scheduled shutdown: while "turnoff"/"Enable" is 1, once a minute the clock is compared
// with "turnoff"/"timeset", and at that minute the countdown FormPowerTan opens; when it runs
// out the computer shuts down. It fires once per minute reached, and not while a countdown
// is already showing.
class ShutdownSchedule : public QObject {
    Q_OBJECT
public:
    ShutdownSchedule(SettingsStore& settings, Clock& clock, Desktop& desktop,
                     QObject* parent = nullptr);
    ~ShutdownSchedule() override;

    // Looks at the clock at the start of every minute from now on.
    void start();
    // No more looks, and a countdown now showing is cancelled.
    void stop();
    // Whether the next look at the clock is due.
    bool armed() const;
    // One look at the clock; returns true when it opened the countdown.
    bool tick();

    // The countdown now showing, or null.
    FormPowerTan* countdown() const;

private:
    void scheduleNextTick();

    SettingsStore& settings_;
    Clock& clock_;
    Desktop& desktop_;
    QTimer* timer_;
    QPointer<FormPowerTan> countdown_;
    QDateTime lastFiredMinute_;
};

} // namespace lumera::portal
