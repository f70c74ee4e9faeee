#include "saver/idle/IdleStarter.h"

#include "platform/idle/IdleInhibition.h"
#include "platform/idle/IdleSource.h"
#include "platform/process/CommandRunner.h"

#include <algorithm>

namespace lumera::saver {

IdleStarter::IdleStarter(IdleSource& source, CommandRunner& runner,
                         std::vector<IdleInhibition*> inhibitions, QString saverProgram,
                         std::chrono::milliseconds idleTime, QObject* parent)
    : QObject(parent), source_(source), runner_(runner), inhibitions_(std::move(inhibitions)),
      saverProgram_(std::move(saverProgram)), idleTime_(idleTime) {
    retry_.setSingleShot(true);
    retry_.setInterval(idleTime);
    connect(&retry_, &QTimer::timeout, this, &IdleStarter::retryNow);
    connect(&source_, &IdleSource::idled, this, &IdleStarter::onIdled);
    connect(&source_, &IdleSource::resumed, this, &IdleStarter::onResumed);
    // The saver ends at the user's return: a source that has to look for itself looks now.
    connect(&runner_, &CommandRunner::finished, &source_, &IdleSource::recheck);
}

void IdleStarter::retryNow() {
    if (!idle_ || startedThisPeriod_)
        return;
    retry_.stop();
    // A user who came back meanwhile has ended the period: the source says so first.
    source_.recheck();
    tryStart();
}

void IdleStarter::userActive() {
    quietUntil_.setRemainingTime(idleTime_);
    if (idle_ && !startedThisPeriod_)
        retry_.start(idleTime_);
}

void IdleStarter::onIdled() {
    idle_ = true;
    startedThisPeriod_ = false;
    tryStart();
}

void IdleStarter::onResumed() {
    idle_ = false;
    retry_.stop();
}

bool IdleStarter::keptBack() const {
    return std::any_of(inhibitions_.cbegin(), inhibitions_.cend(),
                       [](IdleInhibition* inhibition) { return inhibition->inhibited(); });
}

void IdleStarter::tryStart() {
    if (!idle_ || startedThisPeriod_)
        return;
    // A period that begins while the saver is up has it already.
    if (runner_.running()) {
        startedThisPeriod_ = true;
        return;
    }
    if (!quietUntil_.hasExpired()) {
        retry_.start(std::max<qint64>(quietUntil_.remainingTime(), 1));
        return;
    }
    if (keptBack()) {
        retry_.start(idleTime_);
        return;
    }
    startedThisPeriod_ = runner_.start(saverProgram_, {});
}

} // namespace lumera::saver
