#include "platform/sites/SiteTable.h"

#include "platform/process/ConfigFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace lumera {

QString normaliseOrigin(const QString& written) {
    QString origin = written.trimmed();
    while (origin.endsWith('/') && !origin.endsWith("://"))
        origin.chop(1);
    if (origin.isEmpty() || origin.contains(QRegularExpression(R"([\s"<>\\^`{|}])")))
        return {};
    if (!origin.contains("://"))
        origin.prepend("https://");
    static const QRegularExpression scheme(R"(^[A-Za-z][A-Za-z0-9+.-]*://)");
    if (!scheme.match(origin).hasMatch())
        return {};
    return origin;
}

SiteTable::SiteTable(QHash<QString, QString> defaults) {
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        setOrigin(it.key(), it.value());
}

void SiteTable::setOrigin(const QString& service, const QString& origin) {
    const QString normal = normaliseOrigin(origin);
    if (!normal.isEmpty())
        origins_.insert(service, normal);
}

void SiteTable::loadOverrides(const QString& sitesIniPath) {
    QFile file(sitesIniPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // Limit what a hand-edited file can make us hold; a site table is a few kilobytes.
    applyOverrides(QString::fromUtf8(file.read(4 * 1024 * 1024)));
}

void SiteTable::applyOverrides(const QString& text) {
    const QStringList lines = text.split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#') || line.startsWith('['))
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QString service = line.left(eq).trimmed();
        if (!origins_.contains(service))
            continue;
        setOrigin(service, line.mid(eq + 1));
    }
}

QString SiteTable::origin(const QString& service) const {
    return origins_.value(service);
}

QString SiteTable::url(const QString& service, const QString& path) const {
    const QString base = origin(service);
    // A folder address on a site is its index page; a local folder needs the name spelt out.
    if (base.startsWith("file:", Qt::CaseInsensitive) && (path.isEmpty() || path.endsWith('/')))
        return base + (path.isEmpty() ? QStringLiteral("/") : path) + "index.html";
    return base + path;
}

QStringList SiteTable::services() const {
    QStringList names = origins_.keys();
    std::sort(names.begin(), names.end());
    return names;
}

QString SiteTable::defaultSitesFile() {
    return configFolder() + "/sites.ini";
}

} // namespace lumera
