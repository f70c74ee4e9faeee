#pragma once

#include "platform/net/LinkProber.h"

#include <QList>
#include <QMap>
#include <QStringList>

namespace lumera {

// A prober for tests: it records what it is asked and answers only when the test says so.
class FakeLinkProber : public LinkProber {
public:
    int probe(const QString& address, Done done) override {
        asked.append(address);
        open.insert(++lastId, {address, std::move(done)});
        return lastId;
    }
    void cancel(int id) override {
        if (open.remove(id))
            cancelled.append(id);
    }
    // The addresses whose requests are still open, oldest first.
    QStringList openAddresses() const {
        QStringList addresses;
        for (const auto& request : open)
            addresses.append(request.first);
        return addresses;
    }
    // Ends the oldest open request for the address with the answer; false when none is open.
    bool answer(const QString& address, const LinkAnswer& answer) {
        for (auto it = open.begin(); it != open.end(); ++it) {
            if (it->first == address) {
                const Done done = std::move(it->second);
                open.erase(it);
                done(answer);
                return true;
            }
        }
        return false;
    }

    QStringList asked;
    QList<int> cancelled;
    QMap<int, std::pair<QString, Done>> open;
    int lastId = 0;
};

} // namespace lumera
