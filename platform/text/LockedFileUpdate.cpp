#include "platform/text/LockedFileUpdate.h"

#include "platform/text/TextFile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

namespace lumera {

namespace {

constexpr int kLockWaitMs = 5000;
constexpr int kStaleLockMs = 10000;
constexpr int kLongestStepMs = 8;

// QLockFile's own wait sleeps ever longer between tries, from a tenth of a second up to
// seconds, so a writer behind a busy one keeps missing the moments the lock is free and may
// give up. Short steps of varied length give every waiting writer its turn.
bool takeLock(QLockFile& lock) {
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(1 + QRandomGenerator::global()->bounded(kLongestStepMs));
    }
    return true;
}

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
    if (!takeLock(lock))
        return false;
    const std::optional<QString> updated = change(readSmallTextFile(path, maxBytes));
    if (!updated)
        return true;
    return writeFileAtomically(path, updated->toUtf8());
}

} // namespace lumera
