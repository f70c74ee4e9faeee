#include "portal/directory/PortalSites.h"

#include "portal/directory/CommandSites.h"
#include "portal/directory/DirectoryTable.h"

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

QString defaultRadioPage(const SiteTable& sites) {
    return sites.url(kRadioService, "/radio/");
}

} // namespace lumera::portal
