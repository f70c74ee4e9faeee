#include "platform/desktop/QtProgramRunner.h"

#include <QProcess>

namespace lumera {

QtProgramRunner::QtProgramRunner(QObject* parent)
    : ProgramRunner(parent), process_(new QProcess(this)) {
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->setInputChannelMode(QProcess::ForwardedInputChannel);
    connect(process_, &QProcess::finished, this, &ProgramRunner::finished);
}

bool QtProgramRunner::start(const QString& program, const QStringList& arguments) {
    if (running())
        return false;
    process_->start(program, arguments);
    return process_->waitForStarted();
}

bool QtProgramRunner::running() const {
    return process_->state() != QProcess::NotRunning;
}

} // namespace lumera
