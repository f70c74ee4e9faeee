#include "portal/browser/HistoryPage.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/TextFile.h"
#include "portal/browser/History.h"

#include <QDir>
#include <QStringList>

namespace lumera::portal {

QString historyPageTitle() {
    return QStringLiteral("电影观看历史");
}

QString historyPageHeader() {
    static const QStringList lines = {
        QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"),
        QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\">"),
        QStringLiteral("<head>"),
        QStringLiteral(
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />"),
        QStringLiteral("<title>电影观看历史</title>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("<!--"),
        QStringLiteral(".STYLE1 {color: #FF0000}"),
        QStringLiteral("-->"),
        QStringLiteral("</style>"),
        QStringLiteral("</head>"),
        QString(),
        QStringLiteral("<body>"),
        // As wide as the pane up to 1000 pixels: a narrower pane gets no scroll bar.
        QStringLiteral("<table width=\"100%\" border=\"1\" align=\"center\" "
                       "style=\"max-width: 1000px\">"),
        QStringLiteral("  <tr>    <td width=\"20%\"><span class=\"STYLE1\">时间</span></td>     "),
        QStringLiteral("  <td width=\"60%\"><span class=\"STYLE1\">页面标题</span></td>     "),
        QStringLiteral("  <td width=\"18%\"><span class=\"STYLE1\">注释</span></td>   "),
        QStringLiteral("  </tr>"),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString historyPagePath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("history.html"));
}

QString writeHistoryPage(PortalState& state, const QString& dataFolder, const QString& header) {
    const bool saved = SaveHistoryFile(state, dataFolder);
    const QString path = historyPagePath(dataFolder);
    setHiddenSystemAttributes(path, false);
    const QString crLf = QStringLiteral("\r\n");
    writeFileAtomically(path, encodeAnsi(header + crLf + state.HistoryBuffer + crLf +
                                         QLatin1String(HistoryPageFooter) + crLf));
    setHiddenSystemAttributes(path, true);
    // Rows that did not reach his.dat stay in the buffer for the next merge.
    if (saved)
        state.HistoryBuffer.clear();
    return path;
}

} // namespace lumera::portal
