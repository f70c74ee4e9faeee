#pragma once

#include "platform/process/ConfigFolder.h"

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace lumera {

// One running copy of a program per user and display. The first start holds a lock file and
// listens on a local socket, both in the user's own runtime folder and named for the display
// (a second graphical session of the same user runs a copy of its own); a later start on that
// display finds the lock taken, asks the first through the socket to show itself, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` names the lock file and the socket in `folder`, followed by `display`.
    explicit SingleInstance(const QString& name, const QString& display = displayName(),
                            const QString& folder = runtimeFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // The display this process shows its windows on: $WAYLAND_DISPLAY, else $DISPLAY, made
    // fit for a file name.
    static QString displayName();

    // The lock file the first copy of `name` on `display` holds. A program that wants its one
    // copy a display without being asked to show holds this lock by itself.
    static QString lockPath(const QString& name, const QString& display = displayName(),
                            const QString& folder = runtimeFolder());

    // True when this process is the first and now listens. False when another copy runs:
    // it has been asked to show itself (as far as it answered within a few seconds). A first
    // copy that cannot listen says so and lets the lock go, so that a later start runs
    // rather than waiting for an answer that never comes.
    bool claim();

signals:
    // A later start asked this copy to show itself.
    void showRequested();

private:
    bool askTheFirstToShow();
    void answer();

    QString lockPath_;
    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace lumera
