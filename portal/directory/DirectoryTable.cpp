#include "portal/directory/DirectoryTable.h"

#include "platform/sites/SiteTable.h"

#include <QFile>
#include <algorithm>

// The data files are linked into the portal library; a static library has to say so.
static void initDirectoryResources() {
    Q_INIT_RESOURCE(Directory);
}

namespace lumera::portal {

namespace {

// The rows of a tab-separated data file, without comments and empty lines.
QList<QStringList> dataRows(const QString& resource) {
    initDirectoryResources();
    QFile file(resource);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        rows.append(line.split('\t'));
    }
    return rows;
}

Directory makeDirectory(const QString& name, const QString& rootCaption,
                        QList<DirectoryGroup> groups, const QStringList& leafOrder,
                        const QString& revealGroup) {
    QList<DirectoryLeaf> all;
    for (const QStringList& row : dataRows(QStringLiteral(":/directory/DirectoryLeaves.tsv"))) {
        if (row.size() < 6 || row[0] != name)
            continue;
        all.append({row[1], row[2], row[3].toInt(), row[4], row[5]});
    }
    Directory directory{rootCaption, std::move(groups), {}, revealGroup, name};
    for (const QString& group : leafOrder) {
        for (const DirectoryLeaf& leaf : all) {
            if (leaf.group == group)
                directory.leaves.append(leaf);
        }
    }
    for (DirectoryGroup& group : directory.groups) {
        group.leafCount = static_cast<int>(
            std::count_if(all.cbegin(), all.cend(),
                          [&](const DirectoryLeaf& leaf) { return leaf.group == group.key; }));
    }
    return directory;
}

} // namespace

const Directory& channelDirectory() {
    static const Directory directory =
        makeDirectory(QStringLiteral("channel"), kChannelRootCaption,
                      {
                          {"film", QStringLiteral("在线高清电影"), 3},
                          {"bang", QStringLiteral("电影排行榜"), 11},
                          {"hollywood", QStringLiteral("好莱坞大片专场"), 14},
                          {"vip", QStringLiteral("VIP贵宾室(收费电影)"), 15},
                          {"person", QStringLiteral("个人视频娱乐"), 10},
                          {"xiang", QStringLiteral("相声小品精选"), 8},
                          {"lian", QStringLiteral("电视连续剧场"), 5},
                          {"katong", QStringLiteral("动漫卡通电影"), 4},
                          {"tv", QStringLiteral("电视直播频道"), 6},
                          {"radio", QStringLiteral("网络广播电台"), 7},
                          {"music", QStringLiteral("音乐MTV欣赏"), 8},
                          {"download", QStringLiteral("电影免费下载"), 13},
                      },
                      {"film", "bang", "person", "katong", "lian", "tv", "radio", "music", "xiang",
                       "hollywood", "vip", "download"},
                      QStringLiteral("film"));
    return directory;
}

const Directory& radioDirectory() {
    static const Directory directory =
        makeDirectory(QStringLiteral("radio"), kRadioRootCaption,
                      {
                          {"music", QStringLiteral("音乐电台精选"), 7},
                          {"china", QStringLiteral("全国电台大全"), 7},
                          {"dsc", QStringLiteral("迪斯科舞厅"), 7},
                      },
                      {"music", "china", "dsc"}, QStringLiteral("dsc"));
    return directory;
}

const QList<DirectorySite>& directorySites() {
    static const QList<DirectorySite> sites = [] {
        QList<DirectorySite> list;
        for (const QStringList& row : dataRows(QStringLiteral(":/directory/DirectorySites.tsv"))) {
            if (row.size() >= 2)
                list.append({row[0], row[1], row.value(2)});
        }
        return list;
    }();
    return sites;
}

void addDirectorySites(QHash<QString, QString>& defaults) {
    for (const DirectorySite& site : directorySites()) {
        if (!defaults.contains(site.service))
            defaults.insert(site.service, site.origin);
    }
}

QString leafAddress(const DirectoryLeaf& leaf, const SiteTable& sites) {
    if (sites.contains(leaf.service))
        return sites.url(leaf.service, leaf.path);
    // A table that lacks the service still gives the site's own address, never a bare path.
    for (const DirectorySite& site : directorySites()) {
        if (site.service == leaf.service)
            return site.origin + leaf.path;
    }
    return leaf.path;
}

} // namespace lumera::portal
