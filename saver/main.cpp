#include "platform/desktop/EngineWindow.h"
#include "platform/desktop/Pointer.h"
#include "platform/desktop/ProgramFolder.h"
#include "platform/desktop/QtTranslations.h"
#include "platform/desktop/QuitSignals.h"
#include "platform/desktop/UserFolders.h"
#include "platform/settings/ConfigFolder.h"
#include "platform/settings/SettingsStore.h"
#include "platform/web/WebEngineBrowser.h"
#include "platform/web/WebEngineProfile.h"
#include "saver/engine/EngineLaunch.h"
#include "saver/idle/IdleMain.h"
#include "saver/install/InstallMain.h"
#include "saver/install/PictureFolderSetup.h"
#include "saver/modes/ModeChoice.h"
#include "saver/modes/PlayerScheme.h"
#include "saver/modes/RuffleMoviePlayer.h"
#include "saver/modes/frmmain.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstring>

namespace {

QStringList argumentsAfterProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The screen of the display that holds the point, among those of the default X screen.
QScreen* screenHolding(QPoint point) {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return nullptr;
    for (QScreen* screen : primary->virtualSiblings()) {
        if (screen->geometry().contains(point))
            return screen;
    }
    return primary;
}

// One full-screen copy a screen: the lock is named after the X screen and the screen's place.
QString fullScreenLockPath(quint32 root, const QScreen* screen) {
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    return lumera::runtimeFolder() + QStringLiteral("/Lumera-saver-%1-%2-%3.lock")
                                         .arg(root, 0, 16)
                                         .arg(origin.x())
                                         .arg(origin.y());
}

} // namespace

int main(int argc, char* argv[]) {
    // More ways to start: making the saver the desktop's own and undoing that, and waiting for
    // idleness.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--install") == 0)
            return lumera::saver::installMain(argc, argv);
        if (std::strcmp(argv[i], "--uninstall") == 0)
            return lumera::saver::installMain(argc, argv, true);
        if (std::strcmp(argv[i], "--idle") == 0)
            return lumera::saver::idleMain(argc, argv);
    }
    const lumera::saver::EngineLaunch launch = lumera::saver::readEngineLaunch(
        argumentsAfterProgram(argc, argv), qEnvironmentVariable("XSCREENSAVER_WINDOW"));
    // The engines that hand the saver a window are X11's: the window is on the X display,
    // also in a session that has Wayland beside it.
    if (launch.fromEngine() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    lumera::prepareWebEngineEnvironment();
    lumera::saver::registerPlayerScheme();
    QApplication app(argc, argv);
    lumera::installChineseQtTranslations(app);
    QApplication::setApplicationName(QStringLiteral("Lumera屏保"));
    QApplication::setQuitOnLastWindowClosed(false);

    std::unique_ptr<lumera::EngineWindow> engine;
    if (launch.window) {
        engine = lumera::EngineWindow::open(*launch.window);
        // The engine's window is gone already: there is nothing to draw into.
        if (!engine)
            return 0;
    }
    // Where the saver goes: the engine's window, else the screen under the pointer.
    const quint32 root = engine ? engine->root() : lumera::x11RootWindow();
    QScreen* screen = screenHolding(engine ? engine->geometry().center() : QCursor::pos());
    const bool preview = engine && screen &&
                         (engine->geometry().width() < screen->geometry().width() ||
                          engine->geometry().height() < screen->geometry().height());

    lumera::SettingsStore settings;
    // What an installation does once for each user, done by the saver's first run.
    lumera::saver::storeDefaultPictureFolder(settings, lumera::picturesFolder());
    lumera::WebEngineBrowserFactory browsers(QStringLiteral("Lumera屏保"));
    lumera::QtPointer pointer;
    const QString programFolder = lumera::programFolder();
    lumera::saver::RuffleMoviePlayerFactory moviePlayers(QStringLiteral("Lumera屏保"),
                                                         programFolder);
    lumera::saver::SaverContext context{
        settings,
        browsers,
        pointer,
        programFolder,
        lumera::writableDataFolder(programFolder),
        launch.modeText,
        preview ? QString() : fullScreenLockPath(root, screen),
        [] { QCoreApplication::exit(0); },
        &moviePlayers,
        launch.fromEngine(),
        preview,
        preview ? QString() : lumera::runtimeFolder() + QStringLiteral("/Lumera-saver-activation"),
    };

    lumera::saver::frmmain form(context);
    // Log-out, Ctrl+C and the engine's end of the saver run the exit sequence.
    lumera::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &lumera::QuitSignals::quitRequested, &form,
                     &lumera::saver::frmmain::ExitSaver);

    if (engine) {
        // Inside the engine's window, filling it and following it.
        form.resize(engine->geometry().size());
        form.winId();
        form.windowHandle()->setParent(engine->window());
        form.move(0, 0);
        QObject::connect(engine.get(), &lumera::EngineWindow::resized, &form,
                         [&form](QSize size) { form.resize(size); });
        QObject::connect(engine.get(), &lumera::EngineWindow::gone, &form,
                         &lumera::saver::frmmain::ExitSaver);
    } else {
        if (screen)
            form.setScreen(screen);
        if (launch.root) {
            // The engine's way without a window of its own: the whole screen, out of the
            // window manager's hands.
            form.setWindowFlag(Qt::X11BypassWindowManagerHint);
            form.setGeometry(form.screen()->geometry());
        }
    }
    if (launch.fromEngine()) {
        // The engine has the screen already: the content starts at once.
        if (!form.Form_Load())
            return 0;
        form.ShowSaver();
        return app.exec();
    }
    if (!form.Form_Load())
        return 0;
    form.setGeometry(form.screen()->geometry());
    form.showFullScreen();
    form.activateWindow();
    // Where no window manager reports the activation, the saver starts anyway.
    QTimer::singleShot(1000, &form, &lumera::saver::frmmain::Form_Activate);
    return app.exec();
}
