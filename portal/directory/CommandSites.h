#pragma once

#include <QHash>
#include <QString>

namespace lumera::portal {

// Services of the toolbar's fixed pages; their names start with "toolbar-".
inline const QString kLiveTvService = QStringLiteral("toolbar-live-tv");
inline const QString kSohuTvService = QStringLiteral("toolbar-sohu-tv");
inline const QString kWebRadioService = QStringLiteral("toolbar-web-radio");
inline const QString kImageSearchService = QStringLiteral("toolbar-pictures");

// Services of the video search engines; their names start with "search-".
inline const QString kBaiduVideoService = QStringLiteral("search-baidu");
inline const QString kSearch2345Service = QStringLiteral("search-2345");
inline const QString kKankanService = QStringLiteral("search-kankan");
inline const QString kIqiyiService = QStringLiteral("search-iqiyi");
inline const QString kLetvService = QStringLiteral("search-letv");
inline const QString kPptvService = QStringLiteral("search-pptv");
inline const QString kSohuVideoService = QStringLiteral("search-sohu");
inline const QString kFilmSearchService = QStringLiteral("search-1905");
inline const QString kSokuService = QStringLiteral("search-soku");

// Adds the default origins of the toolbar pages and the video search engines.
void addCommandSites(QHash<QString, QString>& defaults);

} // namespace lumera::portal
