#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace lumera {

// One running copy of a program per user. The first start holds a lock file and listens on a
// local socket, both in the user's runtime folder; a later start finds the lock taken, asks
// the first through the socket to show itself, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` names the lock file and the socket in the runtime folder.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first and now listens. False when another copy runs:
    // it has been asked to show itself (as far as it answered within a few seconds).
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
