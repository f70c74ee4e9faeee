#pragma once

#include "platform/net/LinkProber.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>

class QNetworkReply;
class QTimer;

namespace lumera {

// The prober on Qt Network: HEAD first, and a GET of the first bytes where a server refuses
// HEAD (405, 501); redirects followed up to five; a time limit for each request.
class NetworkLinkProber : public QObject, public LinkProber {
    Q_OBJECT
public:
    explicit NetworkLinkProber(int timeLimitMs = 10000, QObject* parent = nullptr);
    ~NetworkLinkProber() override;

    int probe(const QString& address, Done done) override;
    void cancel(int id) override;

private:
    struct Request;
    void send(int id, bool head);
    void finish(int id, const LinkAnswer& answer);
    // Ends a request's reply and forgets it; gives its `done`, empty when there was none.
    Done drop(int id);

    QNetworkAccessManager network_;
    int timeLimitMs_;
    int lastId_ = 0;
    QHash<int, Request*> requests_;
};

} // namespace lumera
