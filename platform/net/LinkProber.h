#pragma once

#include <QString>
#include <functional>

namespace lumera {

// What the web said to one request for an address.
struct LinkAnswer {
    enum Outcome {
        Answered,     // an HTTP status came back (after the redirects)
        NameNotFound, // the host name is unknown
        Refused,      // nobody listens there
        TlsFailed,    // the secure connection could not be made
        TimedOut,     // no answer within the time limit
        TooManyRedirects,
        OtherError,
    };
    Outcome outcome = OtherError;
    int status = 0;       // the HTTP status when answered
    QString finalAddress; // where the redirects ended
    QString error;        // the network's own words for other errors
};

// Asks web servers whether an address answers. Each request runs on the event loop and ends
// with one call of its `done`, never from inside probe() itself, unless it is cancelled.
class LinkProber {
public:
    virtual ~LinkProber() = default;
    using Done = std::function<void(const LinkAnswer&)>;
    // Returns the request's id for cancel().
    virtual int probe(const QString& address, Done done) = 0;
    virtual void cancel(int id) = 0;
};

} // namespace lumera
