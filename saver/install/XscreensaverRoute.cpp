#include "saver/install/XscreensaverRoute.h"

#include "platform/text/TextFile.h"
#include "saver/install/XscreensaverPrefs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace lumera::saver {

namespace {

// xscreensaver hands a command with blanks or quotes to the shell, after its settings reader
// has taken a backslash as the escape of the character after it: the word is quoted for the
// shell without backslashes ('it'"'"'s' for it's), and a backslash of the path itself is
// doubled for the reader.
QByteArray commandWord(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    for (const char c : bytes) {
        if (c == ' ' || c == '\t' || c == '\'' || c == '"' || c == '\\' || c == '$') {
            QByteArray quoted = bytes;
            quoted.replace('\\', "\\\\").replace("'", "'\"'\"'");
            return "'" + quoted + "'";
        }
    }
    return bytes;
}

const QString kBefore = QStringLiteral("/xscreensaver.before");
const QString kWritten = QStringLiteral("/xscreensaver.written");

std::optional<QByteArray> readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Keeps the file as it was before the first change and, each time, what was written.
bool record(const QString& recordFolder, const std::optional<QByteArray>& before,
            const QByteArray& written) {
    if (!QDir().mkpath(recordFolder))
        return false;
    if (!QFile::exists(recordFolder + kWritten)) {
        QFile::remove(recordFolder + kBefore);
        if (before && !writeFileAtomically(recordFolder + kBefore, *before))
            return false;
    }
    return writeFileAtomically(recordFolder + kWritten, written);
}

void forget(const QString& recordFolder) {
    QFile::remove(recordFolder + kBefore);
    QFile::remove(recordFolder + kWritten);
}

} // namespace

InstallReport chooseInXscreensaver(const QString& prefsPath, const QString& saverProgram,
                                   const QString& recordFolder) {
    QByteArray text;
    QFile file(prefsPath);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return {false, QStringLiteral("无法读取 %1，未作改动。").arg(prefsPath)};
        text = file.readAll();
    }
    const QByteArray name = QFile::encodeName(QFileInfo(saverProgram).fileName());
    const XscreensaverChoice choice = chooseXscreensaverProgram(
        text, name, "\"" + name + "\" " + commandWord(saverProgram) + " --root");
    if (choice.outcome == XscreensaverChoice::Outcome::Unparsable) {
        return {false, QStringLiteral("看不懂 xscreensaver 的设置文件 %1，未作改动。请在 "
                                      "xscreensaver 的设置（xscreensaver-settings）中选择 "
                                      "Lumera屏保。")
                           .arg(prefsPath)};
    }
    if (choice.outcome == XscreensaverChoice::Outcome::Unreachable) {
        return {false, QStringLiteral("xscreensaver 无法从 %1 读出 %2 这个命令，未作改动。请把 "
                                      "Lumera屏保 放到路径里没有特殊字符的文件夹中再试。")
                           .arg(prefsPath, saverProgram)};
    }
    if (choice.text != text) {
        if (!record(recordFolder, file.exists() ? std::optional(text) : std::nullopt, choice.text))
            return {false, QStringLiteral("无法写入 %1，未作改动。").arg(recordFolder)};
        if (!writeFileAtomically(prefsPath, choice.text))
            return {false, QStringLiteral("无法写入 %1，未作改动。").arg(prefsPath)};
    }
    const QString how = choice.outcome == XscreensaverChoice::Outcome::Added
                            ? QStringLiteral("已把 Lumera屏保 加入 xscreensaver 的屏保列表")
                        : choice.outcome == XscreensaverChoice::Outcome::Enabled
                            ? QStringLiteral("已重新启用 xscreensaver 屏保列表中的 Lumera屏保")
                            : QStringLiteral("Lumera屏保 已在 xscreensaver 的屏保列表中");
    return {true, QStringLiteral("%1，并设为唯一的屏幕保护程序（%2）。").arg(how, prefsPath)};
}

InstallReport restoreInXscreensaver(const QString& prefsPath, const QString& programName,
                                    const QString& recordFolder) {
    const std::optional<QByteArray> written = readWhole(recordFolder + kWritten);
    if (!written)
        return {true, {}};
    const std::optional<QByteArray> before = readWhole(recordFolder + kBefore);
    const std::optional<QByteArray> now = readWhole(prefsPath);
    if (!now) {
        forget(recordFolder);
        return {true, {}};
    }
    if (*now == *written) {
        if (before ? !writeFileAtomically(prefsPath, *before) : !QFile::remove(prefsPath))
            return {false, QStringLiteral("无法写入 %1。").arg(prefsPath)};
    } else {
        const std::optional<QByteArray> restored = restoreXscreensaverChoice(
            *now, before.value_or(QByteArray()), QFile::encodeName(programName));
        if (!restored) {
            return {false, QStringLiteral("看不懂 xscreensaver 的设置文件 %1，未作改动。请在 "
                                          "xscreensaver 的设置中另选屏幕保护程序。")
                               .arg(prefsPath)};
        }
        if (*restored != *now && !writeFileAtomically(prefsPath, *restored))
            return {false, QStringLiteral("无法写入 %1。").arg(prefsPath)};
    }
    forget(recordFolder);
    return {true, QStringLiteral("已恢复 xscreensaver 原来的屏保选择（%1）。").arg(prefsPath)};
}

} // namespace lumera::saver
