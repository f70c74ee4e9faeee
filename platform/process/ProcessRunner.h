#pragma once

#include "platform/process/CommandRunner.h"

class QProcess;

namespace lumera {

// CommandRunner through QProcess; a tool that hangs is given up after half a minute, and the
// program watched by start() prints where we print.
class ProcessRunner : public CommandRunner {
    Q_OBJECT
public:
    explicit ProcessRunner(QObject* parent = nullptr);

    bool run(const QString& program, const QStringList& arguments) override;
    std::optional<QByteArray> output(const QString& program, const QStringList& arguments) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    bool start(const QString& program, const QStringList& arguments) override;
    bool running() const override;

private:
    QProcess* watched_;
};

} // namespace lumera
