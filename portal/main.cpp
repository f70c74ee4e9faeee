#include "platform/desktop/ProgramFolder.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvid");
    QApplication::setApplicationDisplayName(QStringLiteral("Lumera桌面"));
    return 0;
}
