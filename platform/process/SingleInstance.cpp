#include "platform/process/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QThread>

namespace lumera {

namespace {

const QByteArray kShowRequest = "show\n";
// The first copy may still be starting up when a second start knocks.
constexpr int kAskForMs = 5000;

QString displayPath(const QString& name, const QString& display, const QString& folder) {
    return folder + "/" + name + "-" + display;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& display, const QString& folder,
                               QObject* parent)
    : QObject(parent), lockPath_(lockPath(name, display, folder)),
      socketPath_(displayPath(name, display, folder) + ".socket") {}

QString SingleInstance::lockPath(const QString& name, const QString& display,
                                 const QString& folder) {
    return displayPath(name, display, folder) + ".lock";
}

QString SingleInstance::displayName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    // A Wayland display may be named by its socket's whole path.
    static const QRegularExpression unfit(QStringLiteral("[^A-Za-z0-9._:-]"));
    display.replace(unfit, QStringLiteral("_"));
    return display.isEmpty() ? QStringLiteral("none") : display;
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
    if (!server_->listen(socketPath_)) {
        qWarning("Cannot listen on %s (%s): later starts run a copy of their own.",
                 qPrintable(socketPath_), qPrintable(server_->errorString()));
        lock_.reset();
    }
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
