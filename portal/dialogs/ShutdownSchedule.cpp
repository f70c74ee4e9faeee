#include "portal/dialogs/ShutdownSchedule.h"

#include "platform/desktop/Clock.h"
#include "platform/settings/SettingsStore.h"
#include "platform/text/VbNumber.h"
#include "portal/UseCounter.h"
#include "portal/dialogs/FormPowerTan.h"
#include "portal/dialogs/FormTurnOff.h"

#include <QTimer>
#include <algorithm>

namespace lumera::portal {

namespace {

QDateTime startOfMinute(const QDateTime& moment) {
    QDateTime minute = moment;
    minute.setTime(QTime(moment.time().hour(), moment.time().minute()));
    return minute;
}

} // namespace

std::optional<QTime> scheduledShutdownTime(const QString& timeset) {
    const qsizetype colon = timeset.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    const auto hours = readVbInteger(timeset.left(colon));
    const auto minutes = readVbInteger(timeset.mid(colon + 1));
    if (!hours || !minutes || *hours < 0 || *hours > 23 || *minutes < 0 || *minutes > 59)
        return std::nullopt;
    return QTime(*hours, *minutes);
}

ShutdownSchedule::ShutdownSchedule(SettingsStore& settings, Clock& clock, Desktop& desktop,
                                   QObject* parent)
    : QObject(parent), settings_(settings), clock_(clock), desktop_(desktop),
      timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] {
        tick();
        scheduleNextTick();
    });
}

// A countdown still open, or closed and waiting for the event loop to delete it, goes with
// the schedule: it acts on the schedule's desktop, and left to the event loop it could be
// deleted after the application object, as the program ends.
ShutdownSchedule::~ShutdownSchedule() {
    delete countdown_.data();
}

FormPowerTan* ShutdownSchedule::countdown() const {
    return countdown_.data();
}

void ShutdownSchedule::start() {
    scheduleNextTick();
}

void ShutdownSchedule::stop() {
    timer_->stop();
    if (countdown_)
        countdown_->Command1_Click();
}

bool ShutdownSchedule::armed() const {
    return timer_->isActive();
}

void ShutdownSchedule::scheduleNextTick() {
    // A little past the start of the next minute, so a late timer never skips one.
    const QDateTime now = clock_.now();
    const qint64 toNextMinute = now.msecsTo(startOfMinute(now).addSecs(60));
    timer_->start(static_cast<int>(std::clamp<qint64>(toNextMinute, 0, 60000)) + 500);
}

bool ShutdownSchedule::tick() {
    if (readVbInteger(settings_.read(kCinemaApp, kTurnOffSection, kEnableKey)) != 1)
        return false;
    const auto at = scheduledShutdownTime(settings_.read(kCinemaApp, kTurnOffSection, kTimeSetKey));
    if (!at)
        return false;
    const QDateTime now = clock_.now();
    const QTime time = now.time();
    if (time.hour() != at->hour() || time.minute() != at->minute())
        return false;
    const QDateTime minute = startOfMinute(now);
    if (minute == lastFiredMinute_ || countdown_)
        return false;
    lastFiredMinute_ = minute;
    countdown_ = new FormPowerTan(desktop_);
    countdown_->setAttribute(Qt::WA_DeleteOnClose);
    countdown_->show();
    countdown_->activateWindow();
    return true;
}

} // namespace lumera::portal
