#pragma once

#include "platform/net/LinkProber.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QQueue>
#include <QSet>
#include <QString>
#include <QStringList>

namespace lumera::portal {

// What the last check found for one address of the directory.
struct LinkMark {
    enum State { Reachable, Moved, Dead };
    State state = Reachable;
    QString reason;  // why it is dead
    QString movedTo; // where a moved page is now
    QDateTime checked;
    bool operator==(const LinkMark&) const = default;
};
using LinkMarks = QHash<QString, LinkMark>;

// The mark of an answer: moved when the redirects ended on another host, dead on an error
// status or a network failure, with the reason in the user's words.
LinkMark judgeLinkAnswer(const QString& address, const LinkAnswer& answer, const QDateTime& now);
// The tool tip of a marked leaf.
QString linkMarkTip(const LinkMark& mark);

QString linkMarksPath(const QString& userDataFolder);
// Lines of address, state, time, reason and new address; lines that do not read are passed over.
LinkMarks parseLinkMarks(const QByteArray& bytes);
QByteArray linkMarksBytes(const LinkMarks& marks);
LinkMarks readLinkMarks(const QString& path);
// Lays the marks one check found over the file as it is on disk at this moment, under a lock,
// so that what other windows found since stays: a found mark replaces the stored one unless
// that one was checked later. Gives the marks the file then holds (or, when it could not be
// written, the merge in memory).
LinkMarks storeLinkMarks(const QString& path, const LinkMarks& found);

// One run over a list of addresses, at most six requests at once.
class LinkCheck : public QObject {
    Q_OBJECT
public:
    static constexpr int kAtOnce = 6;
    LinkCheck(LinkProber& prober, const QStringList& addresses, QObject* parent = nullptr);
    // Cancels what is still asked.
    ~LinkCheck() override;

    void start();
    // Cancels the open requests; nothing is reported afterwards.
    void stop();
    bool running() const { return running_; }
    int total() const { return total_; }
    int done() const { return done_; }

signals:
    void checked(const QString& address, const LinkAnswer& answer);
    void finished();

private:
    void next();

    LinkProber& prober_;
    QQueue<QString> waiting_;
    QHash<int, QString> asking_;
    int total_ = 0;
    int done_ = 0;
    bool running_ = false;
};

} // namespace lumera::portal
