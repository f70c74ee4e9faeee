#pragma once

#include <QString>

namespace lumera::portal {

// The program's name: the main windows' caption, the tray icon's tooltip and the title of the
// program's messages.
inline const QString kProgramTitle = QStringLiteral("Lumera桌面");

// The message when the desktop has no program to open a page, file or folder with.
inline QString cannotOpenMessage(const QString& target) {
    return QStringLiteral("无法打开“%1”：没有找到可以打开它的程序。\n请安装 xdg-utils 软件包。")
        .arg(target);
}

} // namespace lumera::portal
