#include "portal/browser/BrowserRules.h"

#include <QLocale>
#include <limits>

namespace lumera::portal {

namespace {

constexpr QChar kIdeographicSpace(0x3000);

// The first `length` characters, without leaving half of a surrogate pair at the end.
QString leftCharacters(const QString& text, int length) {
    if (text.size() <= length)
        return text;
    qsizetype cut = length;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut);
}

} // namespace

QString statusPanelText(const QString& text, QString& lastStatusText) {
    if (!text.isEmpty() && text != kDoneStatus)
        lastStatusText = text;
    if (text.left(4) == QLatin1String("http"))
        return kHiddenLinkStatus;
    return text;
}

ProgressTexts progressTexts(std::int32_t progress, std::int32_t progressMax) {
    ProgressTexts texts;
    if (progress == -1)
        texts.percent = QStringLiteral("100%");
    // P × 100 is a 32-bit product; past that range the step fails and the text stays empty.
    if (progress > 0 && progressMax > 0 &&
        progress <= std::numeric_limits<std::int32_t>::max() / 100) {
        const std::int32_t scaled = progress * 100;
        float ratio = static_cast<float>(static_cast<double>(scaled) / progressMax);
        if (ratio > 100.0f)
            ratio = 0.0f;
        if (ratio > 0.0f)
            texts.percent = QLocale().toString(static_cast<double>(ratio), 'g', 7) + '%';
    }
    if (!texts.percent.isEmpty() && texts.percent != QLatin1String("100%"))
        texts.notice = kLoadingNotice;
    return texts;
}

TitleOutcome titleOutcome(const TitleInput& input, QString& lastTitle) {
    TitleOutcome outcome;
    QString title = leftCharacters(input.documentTitle, kTitleLength);
    if (title.contains(kIdeographicSpace)) {
        outcome.closeWindow = true;
        outcome.title = title;
        return outcome;
    }
    if (title.isEmpty()) {
        title = input.locationUrl;
    } else if (title != lastTitle && input.locationUrl != input.defaultRadioPage &&
               title != kHistoryPageTitle) {
        lastTitle = title;
        outcome.record = true;
    }
    outcome.title = title;
    outcome.caption = title + kCaptionSuffix;
    return outcome;
}

QString SiteKey(const QString& address) {
    QString site = address;
    const qsizetype dot = site.indexOf('.');
    if (dot >= 0)
        site = site.mid(dot + 1);
    const qsizetype slash = site.indexOf('/');
    if (slash >= 0)
        site = site.left(slash);
    return site.right(8);
}

} // namespace lumera::portal
