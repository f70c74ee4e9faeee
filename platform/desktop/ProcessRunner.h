#pragma once

#include "platform/desktop/CommandRunner.h"

namespace lumera {

// CommandRunner through QProcess; a tool that hangs is given up after half a minute.
class ProcessRunner : public CommandRunner {
public:
    bool run(const QString& program, const QStringList& arguments) override;
    std::optional<QByteArray> output(const QString& program, const QStringList& arguments) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace lumera
