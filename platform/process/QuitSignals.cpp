#include "platform/process/QuitSignals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace lumera {

namespace {

constexpr std::array kQuitSignals{SIGTERM, SIGINT, SIGHUP};
int pipeFds[2] = {-1, -1};
volatile std::sig_atomic_t caughtOne = 0;
volatile std::sig_atomic_t secondSignalEnds = 0;

void onQuitSignal(int signal) {
    if (caughtOne && secondSignalEnds) {
        // The orderly end has had its chance: the signal's own handling ends the process once
        // this handler returns.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    caughtOne = 1;
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request; the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

void QuitSignals::catchNow(bool secondEnds) {
    secondSignalEnds = secondEnds ? 1 : 0;
    if (pipeFds[0] >= 0 || ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kQuitSignals)
        sigaction(signal, &action, nullptr);
}

bool QuitSignals::caught() {
    return caughtOne != 0;
}

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (pipeFds[0] < 0)
        catchNow();
    if (pipeFds[0] < 0)
        return;
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::readPipe);
}

QuitSignals::~QuitSignals() {
    if (!notifier_)
        return;
    for (int signal : kQuitSignals)
        std::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
    caughtOne = 0;
}

void QuitSignals::deliverPending() {
    if (notifier_)
        readPipe();
}

void QuitSignals::readPipe() {
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1)
        emit quitRequested(byte);
}

} // namespace lumera
