#include "saver/install/XscreensaverRoute.h"

#include "platform/text/TextFile.h"
#include "saver/install/XscreensaverPrefs.h"

#include <QFile>
#include <QFileInfo>

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

} // namespace

InstallReport chooseInXscreensaver(const QString& prefsPath, const QString& saverProgram) {
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
    if (choice.text != text && !writeFileAtomically(prefsPath, choice.text))
        return {false, QStringLiteral("无法写入 %1，未作改动。").arg(prefsPath)};
    const QString how = choice.outcome == XscreensaverChoice::Outcome::Added
                            ? QStringLiteral("已把 Lumera屏保 加入 xscreensaver 的屏保列表")
                        : choice.outcome == XscreensaverChoice::Outcome::Enabled
                            ? QStringLiteral("已重新启用 xscreensaver 屏保列表中的 Lumera屏保")
                            : QStringLiteral("Lumera屏保 已在 xscreensaver 的屏保列表中");
    return {true, QStringLiteral("%1，并设为唯一的屏幕保护程序（%2）。").arg(how, prefsPath)};
}

} // namespace lumera::saver
