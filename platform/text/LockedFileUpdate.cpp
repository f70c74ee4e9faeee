#include "platform/text/LockedFileUpdate.h"

#include "platform/text/TextFile.h"

#include <QFile>
#include <QLockFile>

namespace lumera {

namespace {

constexpr int kLockWaitMs = 5000;
constexpr int kStaleLockMs = 10000;

} // namespace

QString readSmallTextFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(maxBytes));
}

bool updateFileLocked(const QString& path, qint64 maxBytes,
                      const std::function<std::optional<QString>(const QString& current)>& change) {
    QLockFile lock(path + ".lock");
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        return false;
    const std::optional<QString> updated = change(readSmallTextFile(path, maxBytes));
    if (!updated)
        return true;
    return writeFileAtomically(path, updated->toUtf8());
}

} // namespace lumera
