#include "portal/directory/DirectoryFileUpdate.h"

#include "platform/text/LockedFileUpdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumera::portal {

namespace {

// Far more than any user's changes; a longer file reads as cut short.
constexpr qint64 kMaxBytes = 1 << 20;

// A free name beside the file for keeping it aside.
QString asideName(const QString& path) {
    QString aside = path + QStringLiteral(".bad");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".bad-%1").arg(n);
    return aside;
}

} // namespace

DirectoryFileUpdate updateDirectoryFile(const QString& path,
                                        const std::function<bool(DirectoryOverlay&)>& edit) {
    DirectoryFileUpdate update;
    QDir().mkpath(QFileInfo(path).absolutePath());
    bool written = true;
    const bool locked =
        updateFileLocked(path, kMaxBytes, [&](const QString& current) -> std::optional<QString> {
            DirectoryOverlay overlay;
            if (QFileInfo::exists(path)) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    update.result = DirectoryFileUpdate::Unreadable;
                    return std::nullopt;
                }
                const std::optional<DirectoryOverlay> read =
                    parseDirectoryOverlay(file.read(kMaxBytes));
                if (read) {
                    overlay = *read;
                } else if (!current.trimmed().isEmpty()) {
                    const QString aside = asideName(path);
                    if (!QFile::rename(path, aside)) {
                        update.result = DirectoryFileUpdate::NotSaved;
                        return std::nullopt;
                    }
                    update.keptAside = aside;
                }
            }
            if (!edit(overlay)) {
                update.result = DirectoryFileUpdate::Unchanged;
                return std::nullopt;
            }
            update.result = DirectoryFileUpdate::Saved;
            if (!overlay.isEmpty())
                return QString::fromUtf8(directoryOverlayBytes(overlay));
            written = !QFileInfo::exists(path) || QFile::remove(path);
            return std::nullopt;
        });
    if (!locked || !written)
        update.result = DirectoryFileUpdate::NotSaved;
    return update;
}

} // namespace lumera::portal
