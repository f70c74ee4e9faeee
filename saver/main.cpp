#include "platform/desktop/QtTranslations.h"
#include "platform/desktop/UserFolders.h"
#include "platform/process/ConfigFolder.h"
#include "platform/process/Processes.h"
#include "platform/process/ProgramFolder.h"
#include "platform/process/QuitSignals.h"
#include "platform/screen/EngineWindow.h"
#include "platform/screen/Pointer.h"
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
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QStringList argumentsAfterProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// A screen's place and size in the X server's pixels. Qt keeps a screen's top left corner
// where the server has it and divides only its size by the screen's scale.
QRect serverGeometry(const QScreen* screen) {
    const QRect logical = screen->geometry();
    return {logical.topLeft(), (QSizeF(logical.size()) * screen->devicePixelRatio()).toSize()};
}

// The screen of the display that holds the point, given in the server's pixels, among those of
// the default X screen.
QScreen* screenHolding(QPoint point) {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return nullptr;
    for (QScreen* screen : primary->virtualSiblings()) {
        if (serverGeometry(screen).contains(point))
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

// Ends the process once the exit sequence has run or the start-up has given up: the web
// engine's processes go with it, and nothing is torn down on the way. Every file the saver
// writes is whole already, and its locks go with the process; tearing the web engine down in
// order takes long enough that an engine waiting for its saver would sit before a black
// screen meanwhile.
[[noreturn]] void endNow(int status) {
    lumera::endChildProcesses();
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

int main(int argc, char* argv[]) {
    // The engines start their savers with little of the session's environment.
    lumera::adoptSessionFolders();
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
    // An engine ends its saver by SIGTERM at any moment, also the first: the signal waits for
    // the exit sequence, and a second one ends the saver whatever it is doing.
    lumera::QuitSignals::catchNow(true);

    // How the saver was started, read here once: the window takes it as it is.
    lumera::saver::EngineLaunch launch = lumera::saver::readEngineLaunch(
        argumentsAfterProgram(argc, argv), qEnvironmentVariable("XSCREENSAVER_WINDOW"));
    if (launch.unreadableWindow) {
        std::fprintf(stderr, "Lumera屏保：“%s”不是窗口号，没有可显示的窗口。\n",
                     launch.unreadableWindow->toLocal8Bit().constData());
        return 1;
    }
    // The engines that hand the saver a window are X11's: the window is on the X display,
    // also in a session that has Wayland beside it.
    if (launch.fromEngine() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    lumera::prepareWebEngineEnvironment();
    lumera::shareOpenGLContexts();
    lumera::saver::registerPlayerScheme();
    QApplication app(argc, argv);
    lumera::installChineseQtTranslations(app);
    QApplication::setApplicationName(QStringLiteral("Lumera屏保"));
    QApplication::setQuitOnLastWindowClosed(false);
    lumera::QuitSignals quitSignals;

    std::unique_ptr<lumera::EngineWindow> engine;
    if (launch.window) {
        QString error;
        engine = lumera::EngineWindow::open(*launch.window, error);
        // Nothing to draw into: a saver that ran anyway would run unseen.
        if (!engine) {
            std::fprintf(stderr, "Lumera屏保：%s。\n", error.toLocal8Bit().constData());
            return 1;
        }
    }
    // Where the saver goes: the engine's window, else the screen under the pointer.
    const quint32 root = engine ? engine->root() : lumera::x11RootWindow();
    QScreen* screen = engine ? screenHolding(engine->geometry().center())
                             : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    launch.preview = engine && screen &&
                     (engine->geometry().width() < serverGeometry(screen).width() ||
                      engine->geometry().height() < serverGeometry(screen).height());

    lumera::SettingsStore settings;
    // What an installation does once for each user, done by the saver's first run.
    lumera::saver::storeDefaultPictureFolder(settings, lumera::picturesFolder());
    lumera::WebEngineBrowserFactory browsers(QStringLiteral("Lumera屏保"));
    lumera::QtPointer pointer;
    const QString programFolder = lumera::programFolder();
    lumera::saver::RuffleMoviePlayerFactory moviePlayers(QStringLiteral("Lumera屏保"),
                                                         programFolder);
    // The exit sequence may run before the event loop does, where quitting the loop is lost.
    bool ended = false;
    lumera::saver::SaverContext context{
        settings,
        browsers,
        pointer,
        programFolder,
        lumera::writableDataFolder(programFolder),
        launch,
        launch.preview ? QString() : fullScreenLockPath(root, screen),
        [&ended] {
            ended = true;
            QCoreApplication::exit(0);
        },
        &moviePlayers,
        launch.preview ? QString()
                       : lumera::runtimeFolder() + QStringLiteral("/Lumera-saver-activation"),
    };

    // Nothing is on the screen yet, and the web engine starts with the window: an end asked
    // for meanwhile needs no exit sequence.
    if (lumera::QuitSignals::caught())
        endNow(0);
    lumera::saver::frmmain form(context);
    // Log-out, Ctrl+C and the engine's end of the saver run the exit sequence.
    QObject::connect(&quitSignals, &lumera::QuitSignals::quitRequested, &form,
                     &lumera::saver::frmmain::ExitSaver);
    // Between the start-up steps: whether an end has been asked for meanwhile.
    const auto goesOn = [&] {
        quitSignals.deliverPending();
        return !ended;
    };

    if (engine) {
        // Inside the engine's window, filling it and following it.
        form.winId();
        // Near the engine's size in Qt's pixels, so that showing the window keeps it; the
        // engine's window then makes it exact in the server's.
        form.resize((QSizeF(engine->geometry().size()) / form.devicePixelRatioF()).toSize());
        engine->embed(form.windowHandle());
        QObject::connect(engine.get(), &lumera::EngineWindow::gone, &form,
                         &lumera::saver::frmmain::ExitSaver);
    } else if (screen) {
        form.setScreen(screen);
    }
    if (!goesOn() || !form.Form_Load() || !goesOn())
        endNow(0);
    if (launch.fromEngine()) {
        // The engine has the screen already: the content starts at once.
        form.ShowSaver();
        endNow(goesOn() ? app.exec() : 0);
    }
    form.setGeometry(form.screen()->geometry());
    form.showFullScreen();
    form.activateWindow();
    // Where no window manager reports the activation, the saver starts anyway.
    QTimer::singleShot(1000, &form, &lumera::saver::frmmain::Form_Activate);
    endNow(app.exec());
}
