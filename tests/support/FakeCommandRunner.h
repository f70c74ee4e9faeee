#pragma once

#include "platform/process/CommandRunner.h"

#include <QHash>

namespace lumera {

// Records each command as one line, "program arg1 arg2", instead of running it; a command
// whose line is in `printed` prints that, any other prints nothing and fails. A program
// started to be watched runs until the test calls end().
class FakeCommandRunner : public CommandRunner {
public:
    bool run(const QString& program, const QStringList& arguments) override {
        ran.append((QStringList{program} + arguments).join(' '));
        return runSucceeds;
    }
    std::optional<QByteArray> output(const QString& program,
                                     const QStringList& arguments) override {
        const QString line = (QStringList{program} + arguments).join(' ');
        ran.append(line);
        if (!printed.contains(line))
            return std::nullopt;
        return printed.value(line);
    }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started.append((QStringList{program} + arguments).join(' '));
        return true;
    }
    bool start(const QString& program, const QStringList& arguments) override {
        if (running_)
            return false;
        started.append((QStringList{program} + arguments).join(' '));
        running_ = true;
        return true;
    }
    bool running() const override { return running_; }
    void end() {
        running_ = false;
        emit finished();
    }

    QStringList ran;
    QHash<QString, QByteArray> printed;
    QStringList started;
    bool runSucceeds = true;

private:
    bool running_ = false;
};

} // namespace lumera
