#include "portal/directory/CommandSites.h"

namespace lumera::portal {

void addCommandSites(QHash<QString, QString>& defaults) {
    // The toolbar's pages.
    defaults.insert(kLiveTvService, QStringLiteral("https://kan.2345.com"));
    defaults.insert(kSohuTvService, QStringLiteral("https://tv.sohu.com"));
    defaults.insert(kWebRadioService, QStringLiteral("https://www.fifm.cn"));
    defaults.insert(kImageSearchService, QStringLiteral("https://image.baidu.com"));
    // The search hosts of the video sites.
    defaults.insert(kBaiduVideoService, QStringLiteral("http://video.baidu.com"));
    defaults.insert(kSearch2345Service, QStringLiteral("http://so.kan.2345.com"));
    defaults.insert(kKankanService, QStringLiteral("http://search.kankan.com"));
    defaults.insert(kIqiyiService, QStringLiteral("http://so.iqiyi.com"));
    defaults.insert(kLetvService, QStringLiteral("http://so.letv.com"));
    defaults.insert(kPptvService, QStringLiteral("http://search.pptv.com"));
    defaults.insert(kSohuVideoService, QStringLiteral("http://so.tv.sohu.com"));
    defaults.insert(kFilmSearchService, QStringLiteral("http://www.1905.com"));
    defaults.insert(kSokuService, QStringLiteral("http://www.soku.com"));
}

} // namespace lumera::portal
