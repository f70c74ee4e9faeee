#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QComboBox;

namespace lumera {
class SiteTable;
}

namespace lumera::portal {

// One video site of the search bar: its caption in CmbType, the service whose origin is its
// search host, and the fixed text around the query.
struct SearchEngine {
    QString caption;
    QString service;
    QString beforeQuery;
    QString afterQuery;
};

// The ten engines in the order of CmbType's list.
const std::vector<SearchEngine>& searchEngines();
QStringList searchEngineCaptions();

inline const QString kSearchTypeText = QStringLiteral("百度电影");
inline const QString kSearchHint = QStringLiteral("电影名称 / 演员姓名");
QStringList sampleSearchEntries();

// The search address for the engine at the list index (anything outside the list, -1 for
// "nothing selected" included, is the first engine). The query goes in exactly as typed:
// the browser's own address handling deals with blanks, "&" and Chinese characters.
QString searchAddress(const SiteTable& sites, int engineIndex, const QString& query);

// Fills the search bar of a new main window: the engine captions with "百度电影" as text
// and nothing selected, the sample entries with the hint as text.
void setUpSearchBar(QComboBox* cmbType, QComboBox* cmbSearch);

// The engine CmbType stands for: the selected entry's index, or -1 while its text is not
// that entry's (the user typed something of their own).
int selectedEngineIndex(const QComboBox* cmbType);

// Adds the query to the end of the list unless an entry equal to it (case-sensitive) is
// already there.
void rememberQuery(QComboBox* cmbSearch, const QString& query);

} // namespace lumera::portal
