#pragma once

#include <QString>
#include <cstdint>

namespace lumera::portal {

// What the status bar's panel 1 shows instead of a link address under the pointer.
inline const QString kHiddenLinkStatus = QStringLiteral("JavaScript split()");
// The status text the browser gives when a page is done.
inline const QString kDoneStatus = QStringLiteral("完成");
// Panel 7 while a page is loading.
inline const QString kLoadingNotice = QStringLiteral("页面正在载入……");
// Follows every page title in the window caption.
inline const QString kCaptionSuffix = QStringLiteral(" - Lumera桌面");
// The title of the viewing-history page; visiting it records nothing.
inline const QString kHistoryPageTitle = QStringLiteral("电影观看历史");

// StatusTextChange: remembers a meaningful text in lastStatusText and returns what panel 1
// shows.
QString statusPanelText(const QString& text, QString& lastStatusText);

// ProgressChange: the texts of panel 3 (percentage) and panel 7 (loading notice).
struct ProgressTexts {
    QString percent;
    QString notice;
};
ProgressTexts progressTexts(std::int32_t progress, std::int32_t progressMax);

// TitleChange, decided from what the window sees of its pane.
struct TitleInput {
    QString documentTitle; // empty when there is no document or no title
    QString locationUrl;
    QString defaultRadioPage;
};
struct TitleOutcome {
    bool closeWindow = false; // the title holds U+3000: the window unloads itself
    bool record = false;      // a history row with `title`, and lastTitle := title
    QString title;            // the cut title (or the address when there is none)
    QString caption;          // the new window caption
};
// The page's title is cut to this many characters.
constexpr int kTitleLength = 100;
TitleOutcome titleOutcome(const TitleInput& input, QString& lastTitle);

// The site of an address: the tail of its host after the first dot, at most eight
// characters. Exact and case-sensitive.
QString SiteKey(const QString& address);

} // namespace lumera::portal
