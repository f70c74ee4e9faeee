#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <memory>

namespace lumera::test {

// A small HTTP/1.0 server on 127.0.0.1 for tests: fixed pages by path, and a log of the
// paths asked for. Unknown paths get 404. It runs on the test's own event loop.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    // With tls, it speaks HTTPS with a certificate for 127.0.0.1 that the test program's
    // connections then trust.
    explicit LoopbackHttpServer(bool tls = false);
    ~LoopbackHttpServer() override;

    // "http://127.0.0.1:<port>" ("https://…" with tls)
    QString origin() const;
    quint16 port() const { return server_->serverPort(); }

    void addPage(const QString& path, const QByteArray& body,
                 const QByteArray& contentType = "text/html; charset=utf-8");
    // Answers every path below the prefix with the same page (for sites of many pages).
    void addPrefix(const QString& prefix, const QByteArray& body,
                   const QByteArray& contentType = "text/html; charset=utf-8");

    // Answers the path with a redirect ("302 Found") to the address.
    void addRedirect(const QString& path, const QString& location);
    // Answers HEAD requests below the prefix with "405 Method Not Allowed".
    void refuseHead(const QString& prefix);
    // Reads requests below the prefix and never answers them.
    void neverAnswer(const QString& prefix);

    // Request paths with their queries, in the order they came, and the whole head of each
    // request (request line and header lines).
    QStringList requests;
    QList<QByteArray> heads;

signals:
    void requested(const QString& pathAndQuery);

private:
    void answer(class QTcpSocket* socket);

    std::unique_ptr<QTcpServer> server_;
    struct Page {
        QByteArray body;
        QByteArray type;
    };
    QHash<QString, Page> pages_;
    QHash<QString, Page> prefixes_;
    QHash<QString, QString> redirects_;
    QStringList headRefused_;
    QStringList silent_;
};

// A page with a title and a body, in UTF-8.
QByteArray htmlPage(const QString& title, const QString& body);

} // namespace lumera::test
