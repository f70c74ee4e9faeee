#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace lumera {
class SiteTable;
}

namespace lumera::portal {

// A group of a directory: its key, caption and the image its leaves show.
struct DirectoryGroup {
    QString key;
    QString caption;
    int leafImage = 0;
    int leafCount = 0;
};

// A link of a directory. Its address is the origin of its site's service plus the path.
struct DirectoryLeaf {
    QString group;
    QString caption;
    int image = 0;
    QString service;
    QString path;
};

// One whole directory, as the tree is built from it.
struct Directory {
    QString rootCaption;
    // Groups in the order they appear under the root.
    QList<DirectoryGroup> groups;
    // Leaves in the order they are added (group by group, which may differ from the
    // group order).
    QList<DirectoryLeaf> leaves;
    // The key of the group after whose last leaf the tree scrolls to show it.
    QString revealGroup;
    // "channel" or "radio": the name the user's changes are filed under.
    QString name;
};

// A site the directories link to.
struct DirectorySite {
    QString service;
    QString origin;
    QString description;
};

// The root key, the same in both directories.
inline const QString kRootKey = QStringLiteral("group");
// The root caption that marks the radio directory.
inline const QString kRadioRootCaption = QStringLiteral("音乐广播电台");
inline const QString kChannelRootCaption = QStringLiteral("宽带网络中心");
constexpr int kRootImage = 1;
constexpr int kGroupImage = 2;

const Directory& channelDirectory();
const Directory& radioDirectory();
const QList<DirectorySite>& directorySites();

// Adds the directories' services with their default origins; a service already given
// keeps its origin.
void addDirectorySites(QHash<QString, QString>& defaults);

// The address a leaf opens (and its key in the tree): its service's origin in the table, or
// the site's default origin when the table does not know the service.
QString leafAddress(const DirectoryLeaf& leaf, const SiteTable& sites);

} // namespace lumera::portal
