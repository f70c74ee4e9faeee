#include "platform/desktop/Pointer.h"
#include "platform/desktop/ProgramFolder.h"
#include "platform/desktop/QtTranslations.h"
#include "platform/settings/ConfigFolder.h"
#include "platform/settings/SettingsStore.h"
#include "platform/web/WebEngineBrowser.h"
#include "platform/web/WebEngineProfile.h"
#include "saver/idle/IdleMain.h"
#include "saver/install/InstallMain.h"
#include "saver/modes/ModeChoice.h"
#include "saver/modes/PlayerScheme.h"
#include "saver/modes/RuffleMoviePlayer.h"
#include "saver/modes/frmmain.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>
#include <cstring>

namespace {

QString instanceLockPath() {
    return lumera::runtimeFolder() + QStringLiteral("/Lumera-saver.lock");
}

} // namespace

int main(int argc, char* argv[]) {
    // Two more ways to start: making the saver the desktop's own, and waiting for idleness.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--install") == 0)
            return lumera::saver::installMain(argc, argv);
        if (std::strcmp(argv[i], "--idle") == 0)
            return lumera::saver::idleMain(argc, argv);
    }
    lumera::prepareWebEngineEnvironment();
    lumera::saver::registerPlayerScheme();
    QApplication app(argc, argv);
    lumera::installChineseQtTranslations(app);
    QApplication::setApplicationName(QStringLiteral("Lumera屏保"));
    QApplication::setQuitOnLastWindowClosed(false);

    lumera::SettingsStore settings;
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
        lumera::saver::argumentText(QCoreApplication::arguments()),
        instanceLockPath(),
        [] { QCoreApplication::exit(0); },
        &moviePlayers,
    };

    lumera::saver::frmmain form(context);
    // The screen the saver starts on is the one under the pointer.
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        form.setScreen(screen);
    if (!form.Form_Load())
        return 0;
    form.setGeometry(form.screen()->geometry());
    form.showFullScreen();
    form.activateWindow();
    // Where no window manager reports the activation, the saver starts anyway.
    QTimer::singleShot(1000, &form, &lumera::saver::frmmain::Form_Activate);
    return app.exec();
}
