#pragma once

#include "platform/sites/SiteTable.h"

namespace lumera::portal {

// Services of the portal's outside addresses.
inline const QString kVendorService = QStringLiteral("vendor");
inline const QString kRadioService = QStringLiteral("cri");

// The portal's site table: the real hosts of the named services, the vendor's pages from the
// program folder's own copy, then the user's sites.ini on top.
SiteTable makePortalSiteTable(const QString& programFolder, const QString& sitesIni);

// The default radio page: the web radio page of China Radio International.
QString defaultRadioPage(const SiteTable& sites);

// The vendor's mail address for "mailto:".
inline const QString kVendorContactAddress = QStringLiteral("service@lumera-desk.cn");

} // namespace lumera::portal
