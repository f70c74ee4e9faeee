#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace lumera {

// The one way our programs start other programs: the desktop's own command-line tools
// (gsettings, xfconf-query) run to their end, programs that outlive the caller, and one
// program at a time watched until it ends (the saver, started by the idle starter).
class CommandRunner : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Runs the program to its end: true when it started and ended with status 0.
    virtual bool run(const QString& program, const QStringList& arguments) = 0;
    // Runs the program to its end and gives what it printed; nothing when it did not start or
    // did not end with status 0.
    virtual std::optional<QByteArray> output(const QString& program,
                                             const QStringList& arguments) = 0;
    // Starts the program on its own; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // Starts the program and tells when it has ended (finished()); false when it could not
    // start, or the last one started so still runs.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    virtual bool running() const = 0;

signals:
    void finished();
};

} // namespace lumera
