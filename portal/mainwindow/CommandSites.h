#pragma once

#include <QHash>
#include <QString>

namespace lumera::portal {

// Services of the toolbar's fixed pages.
inline const QString kLiveTvService = QStringLiteral("tv2345");
inline const QString kSohuTvService = QStringLiteral("sohutv");
inline const QString kWebRadioService = QStringLiteral("fifm");
inline const QString kImageSearchService = QStringLiteral("baiduimage");

// Services of the video search engines.
inline const QString kBaiduVideoService = QStringLiteral("baiduvideo");
inline const QString kSearch2345Service = QStringLiteral("search2345");
inline const QString kKankanService = QStringLiteral("kankan");
inline const QString kIqiyiService = QStringLiteral("iqiyi");
inline const QString kLetvService = QStringLiteral("letv");
inline const QString kPptvService = QStringLiteral("pptv");
inline const QString kSohuVideoService = QStringLiteral("sohuvideo");
inline const QString kFilmSearchService = QStringLiteral("m1905");
inline const QString kSokuService = QStringLiteral("soku");

// Adds the default origins of the toolbar pages and the video search engines.
void addCommandSites(QHash<QString, QString>& defaults);

} // namespace lumera::portal
