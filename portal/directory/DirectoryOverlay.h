#pragma once

#include "portal/directory/DirectoryTable.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace lumera {
class SiteTable;
}

namespace lumera::portal {

// The user's own changes to the built-in directories, kept in one file and laid over the
// tables whenever a tree is built. Built-in leaves are named by their site's service and
// path, so a change still holds when sites.ini moves the site's host.
struct OwnLeaf {
    QString directory; // "channel" or "radio"
    QString group;
    QString caption;
    QString address;
    bool operator==(const OwnLeaf&) const = default;
};
struct BuiltInChange {
    QString directory;
    QString service;
    QString path;
    // The address the leaf opens now; empty when the user removed it.
    QString address;
    bool operator==(const BuiltInChange&) const = default;
};
struct DirectoryOverlay {
    QList<OwnLeaf> added;
    QList<BuiltInChange> changed;
    bool isEmpty() const { return added.isEmpty() && changed.isEmpty(); }
    bool operator==(const DirectoryOverlay&) const = default;
};

// A leaf as a tree shows it: built in (with its service and path) or the user's own.
struct ShownLeaf {
    QString group;
    QString caption;
    int image = 0;
    QString address;
    bool own = false;
    QString service;
    QString path;
};

QString directoryOverlayPath(const QString& userDataFolder);

// The file's text; nothing for a file that is not whole and well formed (junk, cut short, an
// address that is no web or file address), which is then ignored as a whole. What an editor
// adds when the user saves the file by hand is read past: a byte-order mark, CR LF or CR line
// ends, blanks at the ends of lines and fields.
std::optional<DirectoryOverlay> parseDirectoryOverlay(QByteArray bytes);
QByteArray directoryOverlayBytes(const DirectoryOverlay& overlay);
// A missing, unreadable or ill-formed file reads as no changes.
DirectoryOverlay readDirectoryOverlay(const QString& path);

// An address the user may give a leaf: http, https or file.
bool isLeafAddress(const QString& address);

// The leaves of a directory in build order: built-in leaves as changed (removed ones left
// out), and after the built-in leaves of each group the user's own. Keys stay unique: a
// change or an addition whose address is already shown is passed over.
QList<ShownLeaf> shownLeaves(const Directory& directory, const SiteTable& sites,
                             const DirectoryOverlay& overlay);

// Whether the directory as the overlay changes it shows a leaf of that address.
bool showsAddress(const Directory& directory, const SiteTable& sites,
                  const DirectoryOverlay& overlay, const QString& address);

// Edits of the overlay for one shown leaf of a directory. Removing and changing act on every
// record of the leaf, so that none of its twins (from an older file) comes back; they return
// false when the overlay holds nothing to change.
void addOwnLeaf(DirectoryOverlay& overlay, const QString& directory, const QString& group,
                const QString& caption, const QString& address);
bool removeShownLeaf(DirectoryOverlay& overlay, const QString& directory, const ShownLeaf& leaf);
bool changeShownLeaf(DirectoryOverlay& overlay, const QString& directory, const ShownLeaf& leaf,
                     const QString& address);

} // namespace lumera::portal
