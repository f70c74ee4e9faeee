#pragma once

#include "platform/desktop/CommandRunner.h"

namespace lumera {

// Records each command as one line, "program arg1 arg2", instead of running it.
class FakeCommandRunner : public CommandRunner {
public:
    bool run(const QString& program, const QStringList& arguments) override {
        ran.append((QStringList{program} + arguments).join(' '));
        return runSucceeds;
    }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started.append((QStringList{program} + arguments).join(' '));
        return true;
    }

    QStringList ran;
    QStringList started;
    bool runSucceeds = true;
};

} // namespace lumera
