#include "platform/net/NetworkLinkProber.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace lumera {

struct NetworkLinkProber::Request {
    QString address;
    Done done;
    QPointer<QNetworkReply> reply;
    QTimer timer;
    bool sent = false;
};

namespace {

LinkAnswer::Outcome outcomeOf(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return LinkAnswer::NameNotFound;
    case QNetworkReply::ConnectionRefusedError:
        return LinkAnswer::Refused;
    case QNetworkReply::SslHandshakeFailedError:
        return LinkAnswer::TlsFailed;
    case QNetworkReply::TimeoutError:
        return LinkAnswer::TimedOut;
    case QNetworkReply::TooManyRedirectsError:
        return LinkAnswer::TooManyRedirects;
    default:
        return LinkAnswer::OtherError;
    }
}

} // namespace

NetworkLinkProber::NetworkLinkProber(int timeLimitMs, QObject* parent)
    : QObject(parent), timeLimitMs_(timeLimitMs) {}

NetworkLinkProber::~NetworkLinkProber() {
    for (int id : requests_.keys())
        cancel(id);
}

int NetworkLinkProber::probe(const QString& address, Done done) {
    const int id = ++lastId_;
    auto* request = new Request;
    request->address = address;
    request->done = std::move(done);
    requests_.insert(id, request);
    request->timer.setSingleShot(true);
    connect(&request->timer, &QTimer::timeout, this, [this, id] {
        finish(id, {LinkAnswer::TimedOut, 0, {}, {}});
    });
    waiting_.append(id);
    // Started from the event loop, so that `done` never runs inside probe().
    QTimer::singleShot(0, this, &NetworkLinkProber::sendWaiting);
    return id;
}

void NetworkLinkProber::sendWaiting() {
    while (out_ < kAtOnce && !waiting_.isEmpty()) {
        const int id = waiting_.takeFirst();
        requests_.value(id)->sent = true;
        ++out_;
        send(id, true);
    }
}

void NetworkLinkProber::send(int id, bool head) {
    Request* request = requests_.value(id);
    if (!request)
        return;
    QNetworkRequest http{QUrl(request->address)};
    http.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                      QNetworkRequest::NoLessSafeRedirectPolicy);
    http.setMaximumRedirectsAllowed(5);
    http.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (!head)
        http.setRawHeader("Range", "bytes=0-1023");
    QNetworkReply* reply = head ? network_.head(http) : network_.get(http);
    request->reply = reply;
    request->timer.start(timeLimitMs_);
    const auto answered = [this, id, reply, head] {
        Request* current = requests_.value(id);
        if (!current || current->reply != reply)
            return;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (head && (status == 405 || status == 501)) {
            current->reply = nullptr;
            reply->abort();
            reply->deleteLater();
            send(id, false);
            return;
        }
        LinkAnswer answer{LinkAnswer::Answered, status, reply->url().toString(), {}};
        // A redirect that was not followed (to plain http): where it leads, whether or not
        // this Qt already moved the reply's address there.
        if (status >= 300 && status < 400 && reply->hasRawHeader("Location")) {
            const QUrl target(QString::fromUtf8(reply->rawHeader("Location")));
            answer.finalAddress = reply->request().url().resolved(target).toString();
        }
        if (status == 0 || reply->error() == QNetworkReply::TooManyRedirectsError) {
            answer.status = 0;
            answer.outcome = outcomeOf(reply->error());
            answer.error = reply->errorString();
        }
        finish(id, answer);
    };
    // A GET is cut off as soon as its first bytes are there.
    if (!head)
        connect(reply, &QNetworkReply::readyRead, this, answered);
    connect(reply, &QNetworkReply::finished, this, answered);
}

NetworkLinkProber::Done NetworkLinkProber::drop(int id) {
    Request* request = requests_.take(id);
    if (!request)
        return {};
    if (request->sent) {
        --out_;
        QTimer::singleShot(0, this, &NetworkLinkProber::sendWaiting);
    } else {
        waiting_.removeOne(id);
    }
    if (QNetworkReply* reply = request->reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    Done done = std::move(request->done);
    delete request;
    return done;
}

void NetworkLinkProber::finish(int id, const LinkAnswer& answer) {
    if (const Done done = drop(id))
        done(answer);
}

void NetworkLinkProber::cancel(int id) {
    drop(id);
}

} // namespace lumera
