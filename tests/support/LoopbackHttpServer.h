#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace lumera::test {

// A small HTTP/1.0 server on 127.0.0.1 for tests: fixed pages by path, and a log of the
// paths asked for. Unknown paths get 404. It runs on the test's own event loop.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    LoopbackHttpServer();

    // "http://127.0.0.1:<port>"
    QString origin() const;
    quint16 port() const { return server_.serverPort(); }

    void addPage(const QString& path, const QByteArray& body,
                 const QByteArray& contentType = "text/html; charset=utf-8");
    // Answers every path below the prefix with the same page (for sites of many pages).
    void addPrefix(const QString& prefix, const QByteArray& body,
                   const QByteArray& contentType = "text/html; charset=utf-8");

    // Request paths with their queries, in the order they came, and the whole head of each
    // request (request line and header lines).
    QStringList requests;
    QList<QByteArray> heads;

signals:
    void requested(const QString& pathAndQuery);

private:
    void answer(class QTcpSocket* socket);

    QTcpServer server_;
    struct Page {
        QByteArray body;
        QByteArray type;
    };
    QHash<QString, Page> pages_;
    QHash<QString, Page> prefixes_;
};

// A page with a title and a body, in UTF-8.
QByteArray htmlPage(const QString& title, const QString& body);

} // namespace lumera::test
