// The floor of Korvid's start: a program that only puts an icon into the notification area.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("tray_floor"));
    icon.show();
    return app.exec();
}
