#pragma once

#include "platform/desktop/ProgramRunner.h"

class QProcess;

namespace lumera {

// ProgramRunner through QProcess; the program's output goes where ours goes.
class QtProgramRunner : public ProgramRunner {
    Q_OBJECT
public:
    explicit QtProgramRunner(QObject* parent = nullptr);

    bool start(const QString& program, const QStringList& arguments) override;
    bool running() const override;

private:
    QProcess* process_;
};

} // namespace lumera
