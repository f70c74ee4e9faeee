#include "saver/idle/IdleStarter.h"

#include "platform/desktop/IdleInhibition.h"
#include "platform/desktop/IdleSource.h"
#include "platform/desktop/ProgramRunner.h"
#include "platform/registry/Registry.h"

namespace lumera::saver {

IdleStarter::IdleStarter(IdleSource& source, ProgramRunner& runner, const Registry& registry,
                         IdleInhibition& inhibition, QString saverProgram,
                         std::chrono::milliseconds idleTime, QObject* parent)
    : QObject(parent), source_(source), runner_(runner), registry_(registry),
      inhibition_(inhibition), saverProgram_(std::move(saverProgram)) {
    retry_.setSingleShot(true);
    retry_.setInterval(idleTime);
    connect(&retry_, &QTimer::timeout, this, &IdleStarter::retryNow);
    connect(&source_, &IdleSource::idled, this, &IdleStarter::onIdled);
    connect(&source_, &IdleSource::resumed, this, &IdleStarter::onResumed);
    // The saver ends at the user's return: a source that has to look for itself looks now.
    connect(&runner_, &ProgramRunner::finished, &source_, &IdleSource::recheck);
}

void IdleStarter::retryNow() {
    retry_.stop();
    // A user who came back meanwhile has ended the period: the source says so first.
    source_.recheck();
    tryStart();
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
    return registry_.value(HKEY_CURRENT_USER, QStringLiteral("Control Panel\\Desktop"),
                           QStringLiteral("ScreenSaveActive")) == QLatin1String("0") ||
           inhibition_.inhibited();
}

void IdleStarter::tryStart() {
    if (!idle_ || startedThisPeriod_)
        return;
    // A period that begins while the saver is up has it already.
    if (runner_.running()) {
        startedThisPeriod_ = true;
        return;
    }
    if (keptBack()) {
        retry_.start();
        return;
    }
    startedThisPeriod_ = runner_.start(saverProgram_, {});
}

} // namespace lumera::saver
