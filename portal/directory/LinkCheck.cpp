#include "portal/directory/LinkCheck.h"

#include "platform/text/LockedFileUpdate.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace lumera::portal {

namespace {

const QByteArray kHeader = "Lumera links 1";
// Far more than the marks of every leaf of both directories.
constexpr qint64 kMaxBytes = 4 << 20;
const QStringList kStates{QStringLiteral("ok"), QStringLiteral("moved"), QStringLiteral("dead")};

QString reasonOf(const LinkAnswer& answer) {
    switch (answer.outcome) {
    case LinkAnswer::Answered:
        return QStringLiteral("网站回答 HTTP %1").arg(answer.status);
    case LinkAnswer::NameNotFound:
        return QStringLiteral("找不到网站的主机名");
    case LinkAnswer::Refused:
        return QStringLiteral("网站拒绝连接");
    case LinkAnswer::TlsFailed:
        return QStringLiteral("安全连接（TLS）失败");
    case LinkAnswer::TimedOut:
        return QStringLiteral("网站在 10 秒内没有回应");
    case LinkAnswer::TooManyRedirects:
        return QStringLiteral("网页转向次数过多");
    case LinkAnswer::OtherError:
        break;
    }
    return QStringLiteral("网络错误：%1").arg(answer.error);
}

QString oneLine(QString text) {
    for (const QChar c : {QChar('\t'), QChar('\r'), QChar('\n')})
        text.replace(c, QLatin1Char(' '));
    return text;
}

} // namespace

LinkMark judgeLinkAnswer(const QString& address, const LinkAnswer& answer, const QDateTime& now) {
    if (answer.outcome != LinkAnswer::Answered || answer.status >= 400 || answer.status < 100)
        return {LinkMark::Dead, reasonOf(answer), {}, now};
    if (answer.finalAddress.isEmpty())
        return {LinkMark::Reachable, {}, {}, now};
    // A redirect the prober did not follow (from https to plain http) is a move too.
    const bool unfollowed =
        answer.status >= 300 && answer.status < 400 && QUrl(answer.finalAddress) != QUrl(address);
    const bool otherHost =
        QUrl(answer.finalAddress).host().compare(QUrl(address).host(), Qt::CaseInsensitive) != 0;
    if (unfollowed || otherHost)
        return {LinkMark::Moved, {}, answer.finalAddress, now};
    return {LinkMark::Reachable, {}, {}, now};
}

QString linkMarkTip(const LinkMark& mark) {
    const QString date = mark.checked.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    switch (mark.state) {
    case LinkMark::Dead:
        return QStringLiteral("链接失效：%1\n检查于 %2").arg(mark.reason, date);
    case LinkMark::Moved:
        return QStringLiteral("网站已迁往 %1\n检查于 %2").arg(mark.movedTo, date);
    case LinkMark::Reachable:
        break;
    }
    return QStringLiteral("链接可以打开\n检查于 %1").arg(date);
}

QString linkMarksPath(const QString& userDataFolder) {
    return QDir(userDataFolder).filePath(QStringLiteral("links.txt"));
}

LinkMarks parseLinkMarks(const QByteArray& bytes) {
    LinkMarks marks;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader)
        return marks;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (f.size() != 5 || f[0].isEmpty() || !kStates.contains(f[1]))
            continue;
        const QDateTime checked = QDateTime::fromString(f[2], Qt::ISODate);
        if (!checked.isValid())
            continue;
        marks.insert(f[0], {LinkMark::State(kStates.indexOf(f[1])), f[3], f[4], checked});
    }
    return marks;
}

QByteArray linkMarksBytes(const LinkMarks& marks) {
    QByteArray bytes = kHeader + '\n';
    QStringList addresses = marks.keys();
    addresses.sort();
    for (const QString& address : addresses) {
        const LinkMark& mark = marks[address];
        bytes +=
            QStringList{oneLine(address), kStates[mark.state], mark.checked.toString(Qt::ISODate),
                        oneLine(mark.reason), oneLine(mark.movedTo)}
                .join(QLatin1Char('\t'))
                .toUtf8() +
            '\n';
    }
    return bytes;
}

LinkMarks readLinkMarks(const QString& path) {
    return parseLinkMarks(readSmallTextFile(path, kMaxBytes).toUtf8());
}

LinkMarks storeLinkMarks(const QString& path, const LinkMarks& found) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    LinkMarks merged;
    const auto merge = [&](const QString& current) -> std::optional<QString> {
        merged = parseLinkMarks(current.toUtf8());
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            const auto stored = merged.constFind(it.key());
            if (stored == merged.cend() || stored->checked <= it->checked)
                merged.insert(it.key(), *it);
        }
        return QString::fromUtf8(linkMarksBytes(merged));
    };
    if (!updateFileLocked(path, kMaxBytes, merge))
        merge(readSmallTextFile(path, kMaxBytes));
    return merged;
}

LinkCheck::LinkCheck(LinkProber& prober, const QStringList& addresses, QObject* parent)
    : QObject(parent), prober_(prober) {
    for (const QString& address : addresses)
        waiting_.enqueue(address);
    total_ = static_cast<int>(waiting_.size());
}

LinkCheck::~LinkCheck() {
    stop();
}

void LinkCheck::start() {
    running_ = true;
    next();
}

void LinkCheck::stop() {
    running_ = false;
    waiting_.clear();
    const QList<int> open = asking_.keys();
    asking_.clear();
    for (int id : open)
        prober_.cancel(id);
}

void LinkCheck::next() {
    while (running_ && asking_.size() < kAtOnce && !waiting_.isEmpty()) {
        const QString address = waiting_.dequeue();
        // The id is known only once probe() returns; the answer comes later.
        const int id = prober_.probe(address, [this, address](const LinkAnswer& answer) {
            for (auto it = asking_.begin(); it != asking_.end(); ++it) {
                if (it.value() == address) {
                    asking_.erase(it);
                    break;
                }
            }
            ++done_;
            emit checked(address, answer);
            if (!running_)
                return;
            if (asking_.isEmpty() && waiting_.isEmpty()) {
                running_ = false;
                emit finished();
                return;
            }
            next();
        });
        asking_.insert(id, address);
    }
    if (running_ && total_ == 0) {
        running_ = false;
        emit finished();
    }
}

} // namespace lumera::portal
