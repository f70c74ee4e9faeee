#include "portal/browser/VideoSearch.h"

#include "platform/sites/SiteTable.h"
#include "portal/directory/CommandSites.h"

#include <QComboBox>
#include <QLineEdit>

namespace lumera::portal {

const std::vector<SearchEngine>& searchEngines() {
    static const std::vector<SearchEngine> engines{
        {QStringLiteral("百度电影"), kBaiduVideoService,
         QStringLiteral("/v?ct=301989888&rn=20&pn=0&db=0&word="),
         QStringLiteral("&ty=21&old=&nf=1")},
        {QStringLiteral("综合电影"), kSearch2345Service, QStringLiteral("/search_"), {}},
        {QStringLiteral("迅雷看看"), kKankanService, QStringLiteral("/search.php?keyword="), {}},
        {QStringLiteral("爱奇艺"), kIqiyiService, QStringLiteral("/so/q_"), {}},
        {QStringLiteral("乐视网"), kLetvService, QStringLiteral("/s?wd="), {}},
        {QStringLiteral("PPTV"), kPptvService, QStringLiteral("/s_video/q_"), {}},
        {QStringLiteral("搜狐视频"), kSohuVideoService, QStringLiteral("/mts?box=1&wd="), {}},
        {QStringLiteral("电影网"), kFilmSearchService,
         QStringLiteral("/search/index-p-type-all-q-"), QStringLiteral(".html")},
        {QStringLiteral("优酷视频"), kSokuService, QStringLiteral("/search_video/q_"), {}},
        {QStringLiteral("土豆网"), kSokuService, QStringLiteral("/t/nisearch/"), {}},
    };
    return engines;
}

QStringList searchEngineCaptions() {
    QStringList captions;
    for (const SearchEngine& engine : searchEngines())
        captions.append(engine.caption);
    return captions;
}

QStringList sampleSearchEntries() {
    return {QStringLiteral("Zorveth"), QStringLiteral("Kellamar"), QStringLiteral("Vintrel"),
            QStringLiteral("Doskar")};
}

QString searchAddress(const SiteTable& sites, int engineIndex, const QString& query) {
    const auto& engines = searchEngines();
    if (engineIndex < 0 || engineIndex >= static_cast<int>(engines.size()))
        engineIndex = 0;
    const SearchEngine& engine = engines[static_cast<std::size_t>(engineIndex)];
    return sites.url(engine.service, engine.beforeQuery + query + engine.afterQuery);
}

void setUpSearchBar(QComboBox* cmbType, QComboBox* cmbSearch) {
    for (QComboBox* box : {cmbType, cmbSearch}) {
        box->setEditable(true);
        // The search decides what joins the list, not the combo box.
        box->setInsertPolicy(QComboBox::NoInsert);
        // What is typed stays as typed: no completion from the list ("abc" is not "Abc"), and
        // leaving the box does not pick the entry that matches the text regardless of case,
        // which would also report the entry as chosen and start a search.
        box->setCompleter(nullptr);
        QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
        box->clear();
    }
    cmbType->addItems(searchEngineCaptions());
    cmbType->setCurrentIndex(-1);
    cmbType->setEditText(kSearchTypeText);
    cmbSearch->addItems(sampleSearchEntries());
    cmbSearch->setCurrentIndex(-1);
    cmbSearch->setEditText(kSearchHint);
}

int selectedEngineIndex(const QComboBox* cmbType) {
    const int index = cmbType->currentIndex();
    if (index < 0 || cmbType->itemText(index) != cmbType->currentText())
        return -1;
    return index;
}

void rememberQuery(QComboBox* cmbSearch, const QString& query) {
    for (int i = 0; i < cmbSearch->count(); ++i) {
        if (cmbSearch->itemText(i) == query)
            return;
    }
    // Adding an item to an editable box with nothing selected may select it; keep the text.
    const QString text = cmbSearch->currentText();
    cmbSearch->addItem(query);
    cmbSearch->setEditText(text);
}

} // namespace lumera::portal
