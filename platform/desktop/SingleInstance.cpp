#include "platform/desktop/SingleInstance.h"

#include "platform/settings/ConfigFolder.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace lumera {

namespace {

const QByteArray kShowRequest = "show\n";
// The first copy may still be starting up when a second start knocks.
constexpr int kAskForMs = 5000;

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent) {
    const QString base = runtimeFolder() + "/" + name;
    lockPath_ = base + ".lock";
    socketPath_ = base + ".socket";
}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
}

bool SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // Held for as long as the first copy runs, however long; a lock left by a copy that died
    // is taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        askTheFirstToShow();
        return false;
    }
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    server_->listen(socketPath_);
    return true;
}

bool SingleInstance::askTheFirstToShow() {
    const QDeadlineTimer deadline(kAskForMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest);
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kShowRequest)
                    emit showRequested();
            }
        });
    }
}

} // namespace lumera
