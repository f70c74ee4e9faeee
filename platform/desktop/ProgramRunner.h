#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace lumera {

// Starts one program at a time and tells when it has ended.
class ProgramRunner : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // False when it could not start, or the last one still runs.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    virtual bool running() const = 0;

signals:
    void finished();
};

} // namespace lumera
