#include "platform/process/Processes.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QMultiHash>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace lumera {

std::optional<ProcessInfo> processInfo(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    ProcessInfo info;
    bool hasUser = false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("PPid:")) {
            info.parent = line.mid(5).trimmed().toInt();
        } else if (line.startsWith("Uid:")) {
            info.user = line.mid(4).simplified().split(' ').value(0).toUInt();
            hasUser = true;
        }
    }
    return hasUser ? std::optional(info) : std::nullopt;
}

void endChildProcesses() {
    QMultiHash<pid_t, pid_t> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        if (!number)
            continue;
        if (const auto info = processInfo(pid))
            children.insert(info->parent, pid);
    }
    QList<pid_t> below = children.values(getpid());
    for (qsizetype i = 0; i < below.size(); ++i)
        below += children.values(below[i]);
    for (const pid_t pid : below)
        ::kill(pid, SIGTERM);
    // Our own children are gone only once we have read their end: a program that ends before
    // that leaves them for init to collect.
    QList<pid_t> waiting = children.values(getpid());
    for (int tries = 0; !waiting.isEmpty() && tries < 50; ++tries) {
        waiting.removeIf([](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
        if (!waiting.isEmpty())
            ::usleep(10000);
    }
}

} // namespace lumera
