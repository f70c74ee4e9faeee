#include "platform/desktop/Clock.h"
#include "platform/desktop/LinuxDesktop.h"
#include "platform/desktop/QtTranslations.h"
#include "platform/idle/DesktopInhibitors.h"
#include "platform/idle/ShownWindowsInhibitor.h"
#include "platform/net/NetworkLinkProber.h"
#include "platform/process/AutostartEntry.h"
#include "platform/process/ConfigFolder.h"
#include "platform/process/ProgramFolder.h"
#include "platform/process/QuitSignals.h"
#include "platform/process/SingleInstance.h"
#include "platform/registry/HiveRegistry.h"
#include "platform/screen/GraphicsDevice.h"
#include "platform/screen/MonitorSwitch.h"
#include "platform/settings/SettingsStore.h"
#include "platform/sites/SiteTable.h"
#include "platform/web/WebEngineEnvironment.h"
#include "platform/web/WebEngineLibrary.h"
#include "portal/PortalContext.h"
#include "portal/PortalState.h"
#include "portal/ProgramTexts.h"
#include "portal/directory/PortalSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/resources/PortalImages.h"
#include "portal/tray/FormTray.h"
#include "portal/tray/SysTray.h"

#include <QApplication>
#include <QNetworkProxyFactory>
#include <QPointer>
#include <chrono>

using namespace lumera;
using namespace lumera::portal;

namespace {

// Main windows still open when the program ends go before the browser profile does.
void closeRemainingMainWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Frmmain*>(window))
            windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
}

// Pages off screen let their renderers go after two minutes at most; LUMERA_DISCARD_SECONDS
// makes it sooner (the tests wait a few seconds).
std::chrono::milliseconds hiddenPageDiscardDelay() {
    constexpr std::chrono::seconds kLongest{120};
    bool given = false;
    const int seconds = qEnvironmentVariableIntValue("LUMERA_DISCARD_SECONDS", &given);
    if (given && seconds > 0 && seconds < kLongest.count())
        return std::chrono::seconds(seconds);
    return kLongest;
}

} // namespace

int main(int argc, char* argv[]) {
    prepareWebEngineEnvironment();
    // Every main window holds two panes, and all side panes show the vendor's page.
    shareRenderersBySite();
    // Korvid rests in the tray, its pages let go while hidden.
    keepNoSpareRenderer();
    launchUnsandboxedHelpersDirectly();
    // Without a graphics processor OpenGL is a software driver that the engine does not draw
    // with; loaded all the same, it would be a large part of what Korvid holds in the tray.
    if (!hasGraphicsDevice())
        drawWithoutOpenGL();
    // Qt's OpenGL contexts are shared with the engine's only once the engine is opened
    // (WebEngineLibrary): made with the application object, the shared context would load the
    // OpenGL driver before the icon.
    QApplication app(argc, argv);
    installChineseQtTranslations(app);
    // No display name: the platform would append it to every caption that does not end in it.
    QApplication::setApplicationName("Korvid");
    QApplication::setWindowIcon(programIcon());
    // The program lives in the tray: closing its windows does not end it, Exit does.
    QApplication::setQuitOnLastWindowClosed(false);

    // One Korvid per user: a second start brings up the first one's main window and ends.
    SingleInstance instance("Lumera-Korvid");
    if (!instance.claim())
        return 0;

    const QString folder = programFolder();
    SettingsStore settings;
    // While a main window is on screen the user is watching: the desktop's saver stays away.
    const std::unique_ptr<ScreenSaverInhibitor> desktopInhibitor = desktopInhibitors(kProgramTitle);
    ShownWindowsInhibitor inhibitor(*desktopInhibitor, [](const QWidget* window) {
        return qobject_cast<const Frmmain*>(window) != nullptr;
    });
    HiveRegistry registry(HiveRegistry::defaultHivePath(),
                          AutostartEntry(xdgConfigHome() + "/autostart", "Radio"));
    LinuxDesktop desktop(sessionMonitorSwitch());
    // The engine's libraries are opened with the first browser, which the tray host makes once
    // the icon is in the tray: loading them takes longer than everything before the icon.
    WebEngineLibrary browsers(folder + "/" + kWebEngineLibraryFile,
                              {.hiddenRest = hiddenPageDiscardDelay()});
    SiteTable sites = makePortalSiteTable(folder, SiteTable::defaultSitesFile());
    Clock clock;
    PortalState state;
    // The link check goes through the proxy the desktop is set up with.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    NetworkLinkProber links;
    QtDialogs dialogs;
    PortalContext context{settings, registry, desktop, browsers, sites,
                          clock,    state,    dialogs, folder,   writableDataFolder(folder)};
    context.links = &links;

    QtSysTray tray;
    FormTray formTray(context, tray);
    QObject::connect(&formTray, &FormTray::exitFinished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &SingleInstance::showRequested, &formTray,
                     &FormTray::showMainWindow);
    // The session manager ending the session quits the application: every window still
    // open runs its close first.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &formTray, &FormTray::endSession);
    // Log-out, Ctrl+C or a closed terminal end Korvid the same way.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &formTray, &FormTray::endSession);
    formTray.Form_Load();
    const int status = app.exec();
    closeRemainingMainWindows();
    return status;
}
