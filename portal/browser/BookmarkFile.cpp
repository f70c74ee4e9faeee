#include "portal/browser/BookmarkFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QUrl>

namespace lumera::portal {

namespace {

const QString kDoctype = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>");
// "&" and ";" around the longest name or number we know ("&#x10FFFF;").
constexpr qsizetype kLongestEntity = 11;
// The first bytes looked at before a whole file is read: the doctype follows at most a
// byte-order mark and some blank lines.
constexpr qint64 kHeadBytes = 4096;

const QString kNotBookmarks = QStringLiteral("这不是浏览器导出的书签文件。");

bool startsWithDoctype(QString text) {
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text.trimmed().startsWith(kDoctype, Qt::CaseInsensitive);
}

QString escapeHtml(const QString& text) {
    return text.toHtmlEscaped(); // & < > "
}

QString decodeEntities(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            out += text[i];
            continue;
        }
        // Entities are short: the search for their end stops soon, so that a text of
        // nothing but '&' still decodes in one pass.
        const qsizetype end = QStringView(text).mid(i, kLongestEntity).indexOf(QLatin1Char(';'));
        if (end < 0) {
            out += text[i];
            continue;
        }
        const QString name = text.mid(i + 1, end - 1);
        static const QHash<QString, char32_t> named{{"amp", '&'},  {"lt", '<'},    {"gt", '>'},
                                                    {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}};
        char32_t code = named.value(name);
        bool ok = code != 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X")))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(QLatin1Char('#')))
            code = name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += text[i];
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i += end;
    }
    return out;
}

// The value of one attribute of a tag's inner text ("A HREF=\"...\" ADD_DATE=..."), or a null
// string when the tag has none.
QString attribute(const QString& tag, QLatin1String wanted) {
    qsizetype i = 0;
    while (i < tag.size() && !tag[i].isSpace())
        ++i;
    while (i < tag.size()) {
        while (i < tag.size() && tag[i].isSpace())
            ++i;
        const qsizetype nameStart = i;
        while (i < tag.size() && !tag[i].isSpace() && tag[i] != QLatin1Char('='))
            ++i;
        const QString name = tag.mid(nameStart, i - nameStart);
        if (name.isEmpty())
            break;
        QString value = QStringLiteral("");
        if (i < tag.size() && tag[i] == QLatin1Char('=')) {
            ++i;
            if (i < tag.size() && (tag[i] == QLatin1Char('"') || tag[i] == QLatin1Char('\''))) {
                const QChar quote = tag[i];
                const qsizetype close = tag.indexOf(quote, i + 1);
                const qsizetype stop = close < 0 ? tag.size() : close;
                value = tag.mid(i + 1, stop - i - 1);
                i = stop + 1;
            } else {
                const qsizetype start = i;
                while (i < tag.size() && !tag[i].isSpace())
                    ++i;
                value = tag.mid(start, i - start);
            }
        }
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return decodeEntities(value);
    }
    return {};
}

bool isOpenableAddress(const QString& address) {
    const QString scheme = QUrl(address).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("file");
}

BookmarkRead failure(const QString& why) {
    return {why, {}};
}

} // namespace

QByteArray bookmarkHtml(const QList<Favorite>& favorites) {
    QString html =
        kDoctype + QStringLiteral("\n<!-- This is an automatically generated file.\n"
                                  "     It will be read and overwritten.\n"
                                  "     DO NOT EDIT! -->\n"
                                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                                  "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n"
                                  "<H1>Bookmarks</H1>\n<DL><p>\n");
    for (const Favorite& favorite : favorites) {
        html += QStringLiteral("    <DT><A HREF=\"%1\">%2</A>\n")
                    .arg(escapeHtml(favorite.address), escapeHtml(favorite.title));
    }
    html += QStringLiteral("</DL><p>\n");
    return html.toUtf8();
}

BookmarkRead parseBookmarkHtml(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!startsWithDoctype(text))
        return failure(kNotBookmarks);
    if (utf8.hasError())
        return failure(QStringLiteral("书签文件不是 UTF-8 编码，无法读取。"));

    BookmarkRead read;
    int depth = 0;
    bool sawList = false;
    qsizetype i = text.indexOf(QLatin1Char('<'));
    while (i >= 0) {
        if (QStringView(text).mid(i).startsWith(QLatin1String("<!--"))) {
            const qsizetype end = text.indexOf(QLatin1String("-->"), i);
            if (end < 0)
                return failure(QStringLiteral("书签文件不完整：一段注释没有结束。"));
            i = text.indexOf(QLatin1Char('<'), end + 3);
            continue;
        }
        const qsizetype close = text.indexOf(QLatin1Char('>'), i);
        if (close < 0)
            return failure(QStringLiteral("书签文件不完整：一个标记没有结束。"));
        const QString tag = text.mid(i + 1, close - i - 1);
        qsizetype nameEnd = 0;
        while (nameEnd < tag.size() && !tag[nameEnd].isSpace())
            ++nameEnd;
        const QString name = tag.left(nameEnd).toUpper();
        qsizetype next = close + 1;
        if (name == QLatin1String("DL")) {
            ++depth;
            sawList = true;
        } else if (name == QLatin1String("/DL")) {
            if (--depth < 0)
                return failure(QStringLiteral("书签文件的文件夹结构有误。"));
        } else if (name == QLatin1String("A")) {
            const qsizetype end = text.indexOf(QLatin1String("</A>"), close, Qt::CaseInsensitive);
            if (end < 0)
                return failure(QStringLiteral("书签文件不完整：一个书签没有结束。"));
            const QString address = attribute(tag, QLatin1String("HREF")).trimmed();
            if (address.isNull())
                return failure(QStringLiteral("书签文件有误：一个书签没有地址。"));
            QString title = decodeEntities(text.mid(close + 1, end - close - 1)).simplified();
            if (title.isEmpty())
                title = address;
            if (isOpenableAddress(address))
                read.bookmarks.append({title, address});
            next = end + 4;
        }
        i = text.indexOf(QLatin1Char('<'), next);
    }
    if (!sawList || depth != 0)
        return failure(QStringLiteral("书签文件不完整：文件夹没有结束。"));
    return read;
}

BookmarkRead readBookmarkFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("无法打开文件 %1。").arg(QDir::toNativeSeparators(path)));
    // A start that is no bookmark file: the rest is never read.
    if (!startsWithDoctype(QString::fromUtf8(file.peek(kHeadBytes))))
        return failure(kNotBookmarks);
    if (file.size() > kMaxBookmarkFileBytes) {
        return failure(QStringLiteral("书签文件太大（%1 MB），最多只能导入 %2 MB 的文件。")
                           .arg(file.size() >> 20)
                           .arg(kMaxBookmarkFileBytes >> 20));
    }
    return parseBookmarkHtml(file.read(kMaxBookmarkFileBytes));
}

} // namespace lumera::portal
