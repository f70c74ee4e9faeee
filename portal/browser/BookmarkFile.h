#pragma once

#include "portal/browser/FavoritesFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lumera::portal {

// The bookmark file that browsers exchange: an HTML page headed
// "<!DOCTYPE NETSCAPE-Bookmark-file-1>", folders as <DT><H3> headings over nested <DL> lists,
// bookmarks as <DT><A HREF="...">title</A>.

// Our export: every favourite as a bookmark of the top folder, in UTF-8.
QByteArray bookmarkHtml(const QList<Favorite>& favorites);

struct BookmarkRead {
    // Empty when the file was read; else what is wrong with it, for the user.
    QString error;
    // Every web or file bookmark in file order, folders flattened.
    QList<Favorite> bookmarks;
};
// Reads a bookmark file of any folder depth. Bookmarks of other kinds (place:, javascript:)
// are passed over; a title left empty is the address.
BookmarkRead parseBookmarkHtml(const QByteArray& bytes);

// Far more than a browser writes for thousands of bookmarks.
constexpr qint64 kMaxBookmarkFileBytes = 32 << 20;
// Reads the bookmark file at the path: refused unread when its first bytes are no bookmark
// file, and when it is larger than kMaxBookmarkFileBytes.
BookmarkRead readBookmarkFile(const QString& path);

} // namespace lumera::portal
