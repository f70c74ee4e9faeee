#pragma once

#include "platform/net/LinkProber.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>

class QNetworkReply;
class QTimer;

namespace lumera {

// The prober on Qt Network: HEAD first, and a GET of the first bytes where a server refuses
// HEAD (405, 501); redirects followed up to five, none from https to plain http (the answer
// is then the redirect's status, with its target as the final address); a time limit for
// each request, counted from its sending. The program has one prober, so its limit of
// requests at once holds for all windows together: requests beyond it wait their turn.
class NetworkLinkProber : public QObject, public LinkProber {
    Q_OBJECT
public:
    static constexpr int kAtOnce = 6;
    explicit NetworkLinkProber(int timeLimitMs = 10000, QObject* parent = nullptr);
    ~NetworkLinkProber() override;

    int probe(const QString& address, Done done) override;
    void cancel(int id) override;

private:
    struct Request;
    // Sends waiting requests while fewer than kAtOnce are out.
    void sendWaiting();
    void send(int id, bool head);
    void finish(int id, const LinkAnswer& answer);
    // Ends a request's reply and forgets it; gives its `done`, empty when there was none.
    Done drop(int id);

    QNetworkAccessManager network_;
    int timeLimitMs_;
    int lastId_ = 0;
    QHash<int, Request*> requests_;
    QList<int> waiting_;
    int out_ = 0;
};

} // namespace lumera
