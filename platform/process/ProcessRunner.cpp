#include "platform/process/ProcessRunner.h"

#include <QProcess>

namespace lumera {

namespace {

// Runs the program to its end, half a minute at the most; true when it ended with status 0.
bool runToEnd(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

ProcessRunner::ProcessRunner(QObject* parent)
    : CommandRunner(parent), watched_(new QProcess(this)) {
    watched_->setProcessChannelMode(QProcess::ForwardedChannels);
    watched_->setInputChannelMode(QProcess::ForwardedInputChannel);
    connect(watched_, &QProcess::finished, this, &CommandRunner::finished);
}

bool ProcessRunner::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    return runToEnd(process, program, arguments);
}

std::optional<QByteArray> ProcessRunner::output(const QString& program,
                                                const QStringList& arguments) {
    QProcess process;
    if (!runToEnd(process, program, arguments))
        return std::nullopt;
    return process.readAllStandardOutput();
}

bool ProcessRunner::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool ProcessRunner::start(const QString& program, const QStringList& arguments) {
    if (running())
        return false;
    watched_->start(program, arguments);
    return watched_->waitForStarted();
}

bool ProcessRunner::running() const {
    return watched_->state() != QProcess::NotRunning;
}

} // namespace lumera
