#include "support/LoopbackHttpServer.h"

#include <QTcpSocket>
#include <QUrl>

namespace lumera::test {

QByteArray htmlPage(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
                          "</head><body>%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

LoopbackHttpServer::LoopbackHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LoopbackHttpServer::origin() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void LoopbackHttpServer::addPage(const QString& path, const QByteArray& body,
                                 const QByteArray& contentType) {
    pages_.insert(path, Page{body, contentType});
}

void LoopbackHttpServer::addPrefix(const QString& prefix, const QByteArray& body,
                                   const QByteArray& contentType) {
    prefixes_.insert(prefix, Page{body, contentType});
}

void LoopbackHttpServer::answer(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
    const QString target = first.size() > 1 ? QString::fromUtf8(first[1]) : QString("/");
    requests.append(target);
    heads.append(request.left(request.indexOf("\r\n\r\n")));
    emit requested(target);
    const QString path = QUrl(target).path();

    const Page* page = nullptr;
    auto it = pages_.constFind(path);
    if (it != pages_.constEnd())
        page = &it.value();
    for (auto p = prefixes_.constBegin(); !page && p != prefixes_.constEnd(); ++p)
        if (path.startsWith(p.key()))
            page = &p.value();

    QByteArray response;
    if (page) {
        response = "HTTP/1.0 200 OK\r\nContent-Type: " + page->type +
                   "\r\nCache-Control: no-store\r\nContent-Length: " +
                   QByteArray::number(page->body.size()) + "\r\nConnection: close\r\n\r\n" +
                   page->body;
    } else {
        const QByteArray body = "<html><head><title>404</title></head><body>none</body></html>";
        response = "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                   QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    socket->write(response);
    socket->disconnectFromHost();
}

} // namespace lumera::test
