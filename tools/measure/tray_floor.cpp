// The floor of Korvid's start: a program that only puts an icon into the notification area.
// Built a second time as tray_floor_engine, which also links the web engine's library (never
// starting the engine): what loading it at the start would cost before the first icon can dock.
// Korvid opens the engine only once its icon is in. A click on the icon shows a bare window
// captioned as Korvid's are: the floor of the time from a click to a window on screen.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>
#ifdef TRAY_FLOOR_LOADS_ENGINE
#include <QWebEngineProfile>
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
#ifdef TRAY_FLOOR_LOADS_ENGINE
    // Never true: it only makes the program need the library at its start.
    if (argc > 99)
        QWebEngineProfile().setHttpUserAgent({});
#endif
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("tray_floor"));
    icon.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("tray_floor - Lumera桌面"));
    window.resize(800, 600);
    QObject::connect(&icon, &QSystemTrayIcon::activated, &window, &QWidget::show);
    return app.exec();
}
