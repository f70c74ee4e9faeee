#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace lumera {

// Runs the desktop's own command-line tools (gsettings, xfconf-query) and starts programs
// that outlive the caller.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // Runs the program to its end: true when it started and ended with status 0.
    virtual bool run(const QString& program, const QStringList& arguments) = 0;
    // Runs the program to its end and gives what it printed; nothing when it did not start or
    // did not end with status 0.
    virtual std::optional<QByteArray> output(const QString& program,
                                             const QStringList& arguments) = 0;
    // Starts the program on its own; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

} // namespace lumera
