#include "portal/directory/DirectoryOverlay.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QUrl>
#include <algorithm>

namespace lumera::portal {

namespace {

const QByteArray kHeader = "Lumera directory 1";
const QByteArray kEnd = "end";

bool isDirectoryName(const QString& name) {
    return name == QLatin1String("channel") || name == QLatin1String("radio");
}

// Tabs and line breaks would split the record: they become spaces.
QString field(QString text) {
    for (const QChar c : {QChar('\t'), QChar('\r'), QChar('\n')})
        text.replace(c, QLatin1Char(' '));
    return text;
}

QString builtInKey(const QString& service, const QString& path) {
    return service + QLatin1Char('\n') + path;
}

} // namespace

QString directoryOverlayPath(const QString& userDataFolder) {
    return QDir(userDataFolder).filePath(QStringLiteral("directory.txt"));
}

bool isLeafAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || address.contains(QLatin1Char('\t')))
        return false;
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    return scheme == QLatin1String("file") && !url.path().isEmpty();
}

std::optional<DirectoryOverlay> parseDirectoryOverlay(QByteArray bytes) {
    // What a text editor may add to a file it saves: a byte-order mark, CR LF or CR line
    // ends, blanks at the ends of lines and fields. Records hold no line breaks of their own.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace('\r', '\n');
    QList<QByteArray> lines;
    for (const QByteArray& line : bytes.split('\n')) {
        if (QByteArray trimmed = line.trimmed(); !trimmed.isEmpty())
            lines.append(trimmed);
    }
    // A file cut short lacks its last line.
    if (lines.size() < 2 || lines.first() != kHeader || lines.last() != kEnd)
        return std::nullopt;
    DirectoryOverlay overlay;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QString text = QString::fromUtf8(lines[i]);
        if (text.toUtf8() != lines[i])
            return std::nullopt; // not UTF-8
        QStringList f = text.split(QLatin1Char('\t'));
        for (QString& value : f)
            value = value.trimmed();
        if (f.size() < 4 || !isDirectoryName(f[1]) || f[2].isEmpty())
            return std::nullopt;
        if (f[0] == QLatin1String("add") && f.size() == 5 && !f[3].isEmpty() && isLeafAddress(f[4]))
            overlay.added.append({f[1], f[2], f[3], f[4]});
        else if (f[0] == QLatin1String("change") && f.size() == 5 && isLeafAddress(f[4]))
            overlay.changed.append({f[1], f[2], f[3], f[4]});
        else if (f[0] == QLatin1String("remove") && f.size() == 4)
            overlay.changed.append({f[1], f[2], f[3], QString()});
        else
            return std::nullopt;
    }
    return overlay;
}

QByteArray directoryOverlayBytes(const DirectoryOverlay& overlay) {
    QByteArray bytes = kHeader + '\n';
    for (const OwnLeaf& leaf : overlay.added) {
        bytes += QStringList{QStringLiteral("add"), leaf.directory, field(leaf.group),
                             field(leaf.caption), field(leaf.address)}
                     .join(QLatin1Char('\t'))
                     .toUtf8() +
                 '\n';
    }
    for (const BuiltInChange& change : overlay.changed) {
        QStringList f{change.address.isEmpty() ? QStringLiteral("remove")
                                               : QStringLiteral("change"),
                      change.directory, field(change.service), field(change.path)};
        if (!change.address.isEmpty())
            f.append(field(change.address));
        bytes += f.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return bytes + kEnd + '\n';
}

DirectoryOverlay readDirectoryOverlay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseDirectoryOverlay(file.readAll()).value_or(DirectoryOverlay{});
}

QList<ShownLeaf> shownLeaves(const Directory& directory, const SiteTable& sites,
                             const DirectoryOverlay& overlay) {
    QHash<QString, QString> changes; // built-in key -> new address, empty when removed
    for (const BuiltInChange& change : overlay.changed) {
        if (change.directory == directory.name)
            changes.insert(builtInKey(change.service, change.path), change.address);
    }
    QList<ShownLeaf> builtIn;
    QList<std::optional<QString>> wanted; // the changed address, if any
    QSet<QString> keys;
    for (const DirectoryLeaf& leaf : directory.leaves) {
        ShownLeaf shown{leaf.group, leaf.caption, leaf.image, leafAddress(leaf, sites),
                        false,      leaf.service, leaf.path};
        const auto change = changes.constFind(builtInKey(leaf.service, leaf.path));
        if (change == changes.cend()) {
            keys.insert(shown.address);
            wanted.append(std::nullopt);
        } else {
            wanted.append(*change);
        }
        builtIn.append(shown);
    }
    // Changed leaves take their new address when no other leaf holds it.
    for (qsizetype i = 0; i < builtIn.size(); ++i) {
        if (!wanted[i] || wanted[i]->isEmpty())
            continue;
        ShownLeaf& leaf = builtIn[i];
        if (!keys.contains(*wanted[i]))
            leaf.address = *wanted[i];
        else if (keys.contains(leaf.address))
            leaf.address.clear(); // nowhere left to go: not shown
        if (!leaf.address.isEmpty())
            keys.insert(leaf.address);
    }

    QHash<QString, QList<ShownLeaf>> own; // by group
    QHash<QString, int> groupImages;
    for (const DirectoryGroup& group : directory.groups)
        groupImages.insert(group.key, group.leafImage);
    for (const OwnLeaf& leaf : overlay.added) {
        if (leaf.directory != directory.name || !groupImages.contains(leaf.group) ||
            keys.contains(leaf.address))
            continue;
        keys.insert(leaf.address);
        own[leaf.group].append(
            {leaf.group, leaf.caption, groupImages.value(leaf.group), leaf.address, true, {}, {}});
    }

    QList<ShownLeaf> shown;
    const auto flushOwn = [&](const QString& group) { shown.append(own.take(group)); };
    for (qsizetype i = 0; i < builtIn.size(); ++i) {
        const bool removed = wanted[i] && wanted[i]->isEmpty();
        if (!removed && !builtIn[i].address.isEmpty())
            shown.append(builtIn[i]);
        if (i + 1 == builtIn.size() || builtIn[i + 1].group != builtIn[i].group)
            flushOwn(builtIn[i].group);
    }
    for (const DirectoryGroup& group : directory.groups)
        flushOwn(group.key); // groups without built-in leaves
    return shown;
}

void addOwnLeaf(DirectoryOverlay& overlay, const QString& directory, const QString& group,
                const QString& caption, const QString& address) {
    overlay.added.append({directory, group, caption, address});
}

bool showsAddress(const Directory& directory, const SiteTable& sites,
                  const DirectoryOverlay& overlay, const QString& address) {
    const QList<ShownLeaf> leaves = shownLeaves(directory, sites, overlay);
    return std::any_of(leaves.cbegin(), leaves.cend(),
                       [&](const ShownLeaf& leaf) { return leaf.address == address; });
}

namespace {

// Gives the first record of the leaf the address and drops the others; false when there is
// none.
template <typename Record, typename Matches>
bool setEveryMatch(QList<Record>& records, const Matches& matches, QString Record::*field,
                   const QString& value) {
    bool first = true;
    for (qsizetype i = 0; i < records.size();) {
        if (!matches(records[i])) {
            ++i;
        } else if (first) {
            records[i++].*field = value;
            first = false;
        } else {
            records.removeAt(i);
        }
    }
    return !first;
}

bool setBuiltInAddress(DirectoryOverlay& overlay, const QString& directory, const ShownLeaf& leaf,
                       const QString& address) {
    const auto matches = [&](const BuiltInChange& change) {
        return change.directory == directory && change.service == leaf.service &&
               change.path == leaf.path;
    };
    if (!setEveryMatch(overlay.changed, matches, &BuiltInChange::address, address))
        overlay.changed.append({directory, leaf.service, leaf.path, address});
    return true;
}

bool isOwnLeaf(const OwnLeaf& own, const QString& directory, const ShownLeaf& leaf) {
    return own.directory == directory && own.address == leaf.address;
}

} // namespace

bool removeShownLeaf(DirectoryOverlay& overlay, const QString& directory, const ShownLeaf& leaf) {
    if (!leaf.own)
        return setBuiltInAddress(overlay, directory, leaf, QString());
    return overlay.added.removeIf(
               [&](const OwnLeaf& own) { return isOwnLeaf(own, directory, leaf); }) > 0;
}

bool changeShownLeaf(DirectoryOverlay& overlay, const QString& directory, const ShownLeaf& leaf,
                     const QString& address) {
    if (!leaf.own)
        return setBuiltInAddress(overlay, directory, leaf, address);
    return setEveryMatch(
        overlay.added, [&](const OwnLeaf& own) { return isOwnLeaf(own, directory, leaf); },
        &OwnLeaf::address, address);
}

} // namespace lumera::portal
