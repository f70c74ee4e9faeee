#include "portal/PortalSites.h"

#include "portal/mainwindow/CommandSites.h"
#include "portal/mainwindow/DirectoryTable.h"

#include <QUrl>

namespace lumera::portal {

SiteTable makePortalSiteTable(const QString& programFolder, const QString& sitesIni) {
    QHash<QString, QString> defaults{
        {kVendorService, QUrl::fromLocalFile(programFolder + "/vendor").toString()},
        {kRadioService, QStringLiteral("https://www.cri.cn")},
    };
    addCommandSites(defaults);
    addDirectorySites(defaults);
    SiteTable table(defaults);
    table.loadOverrides(sitesIni);
    return table;
}

QString defaultRadioPage(const SiteTable& sites) { return sites.url(kRadioService, "/radio/"); }

} // namespace lumera::portal
