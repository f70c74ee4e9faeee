#include "portal/tray/FormTray.h"

#include "platform/process/ProgramFolder.h"
#include "platform/web/WebBrowser.h"
#include "portal/MenuItems.h"
#include "portal/ProgramTexts.h"
#include "portal/UseCounter.h"
#include "portal/browser/HistoryPage.h"
#include "portal/dialogs/ShutdownSchedule.h"
#include "portal/directory/PortalSites.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/Twips.h"
#include "portal/resources/PortalImages.h"
#include "portal/tray/MainWindowMousePump.h"
#include "portal/tray/RadioPage.h"
#include "portal/tray/SysTray.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

namespace lumera::portal {

namespace {

// The chime looks at the clock once a minute, this long after the minute has turned.
constexpr int kChimeLate = 50;
// A panel that starts after the program gets this long (16 looks, half a second apart)
// before the main window comes up instead; later looks come every few seconds.
constexpr int kTrayLook = 500;
constexpr int kTrayLooksBeforeShowing = 16;
constexpr int kTrayLookLater = 3000;
constexpr int kMaxDrives = 6;

int msecsToNextMinute(const QDateTime& now) {
    const QTime time = now.time();
    return 60000 - (time.second() * 1000 + time.msec());
}

} // namespace

FormTray::FormTray(PortalContext& context, SysTray& tray, QWidget* parent)
    : QWidget(parent), ctx(context), tray_(tray), pump_(new MainWindowMousePump(ctx.state, this)) {
    setWindowTitle(kProgramTitle);
    setWindowIcon(programIcon());
    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(msecsToNextMinute(ctx.clock.now()) + kChimeLate);
    connect(Timer1, &QTimer::timeout, this, &FormTray::Timer1_Timer);
    Timer1->start();
    TrayWait = new QTimer(this);
    TrayWait->setInterval(kTrayLook);
    connect(TrayWait, &QTimer::timeout, this, &FormTray::TrayWait_Timer);
    createMenu();
    shutdownSchedule = new ShutdownSchedule(ctx.settings, ctx.clock, ctx.desktop, this);
    ctx.state.LastMainWindowClosed = [this] {
        // After the closing window has finished its close.
        QMetaObject::invokeMethod(this, &FormTray::lastMainWindowClosed, Qt::QueuedConnection);
    };
}

FormTray::~FormTray() {
    ctx.state.LastMainWindowClosed = nullptr;
}

void FormTray::createMenu() {
    mnutray = new QMenu(QStringLiteral("系统(&S)"), this);
    mnutray->setObjectName("mnutray");
    LoadMe = addItem(mnutray, kProgramTitle, "LoadMe");
    AutoRun = addItem(mnutray, QStringLiteral("开机自动运行"), "AutoRun");
    AutoRun->setCheckable(true);

    aboutme = mnutray->addMenu(QStringLiteral("关于软件"));
    aboutme->setObjectName("aboutme");
    helpMe = addItem(aboutme, QStringLiteral("帮助主题"), "helpMe");
    aboutbar0 = addBar(aboutme, "aboutbar0");
    softHome = addItem(aboutme, QStringLiteral("软件官网"), "softHome");
    callme = addItem(aboutme, QStringLiteral("联系我们"), "callme");
    softbar = addBar(aboutme, "softbar");

    popbar33 = addBar(mnutray, "popbar33");
    TimeRing = addItem(mnutray, QStringLiteral("整点报时启动"), "TimeRing");

    diskbag = mnutray->addMenu(QStringLiteral("我的电脑"));
    diskbag->setObjectName("diskbag");

    turnoffpc = addItem(mnutray, QStringLiteral("立即关闭电脑"), "turnoffpc");
    kuaibar1 = addBar(mnutray, "kuaibar1");
    trayclose = addItem(mnutray, QStringLiteral("退出"), "trayclose");

    connect(mnutray, &QMenu::aboutToShow, this, &FormTray::mnutray_Popup);
    connect(LoadMe, &QAction::triggered, this, &FormTray::LoadMe_Click);
    connect(AutoRun, &QAction::triggered, this, &FormTray::AutoRun_Click);
    connect(softHome, &QAction::triggered, this, &FormTray::softHome_Click);
    connect(callme, &QAction::triggered, this, &FormTray::callme_Click);
    connect(turnoffpc, &QAction::triggered, this, &FormTray::turnoffpc_Click);
    connect(trayclose, &QAction::triggered, this, &FormTray::trayclose_Click);
}

void FormTray::mnutray_Popup() {
    // The user may have changed either since the menu was last open: the log-on entry in
    // the desktop's settings, the volumes by plugging a stick in.
    AutoRun->setChecked(!ctx.registry.value(HKEY_CURRENT_USER, kRunKey, "Radio").isEmpty());
    qDeleteAll(loaddisk);
    loaddisk.clear();
    const QStringList roots = ctx.desktop.driveRoots().mid(0, kMaxDrives);
    for (int i = 0; i < roots.size(); ++i) {
        QAction* drive = addItem(diskbag, QStringLiteral("【%1】").arg(roots.at(i)), "loaddisk");
        connect(drive, &QAction::triggered, this, [this, i] { loaddisk_Click(i); });
        loaddisk.append(drive);
    }
}

// ---- Start-up ---------------------------------------------------------------------------

void FormTray::Form_Load() {
    // The icon comes first: the user sees the program in the tray before the web engine
    // starts, which takes a while. The rest follows once the icon is on screen, at once when
    // there is no notification area to wait for.
    HookTrayWindow();
    connect(&tray_, &SysTray::iconShown, this, &FormTray::finishLoad);
    // The first look at once; the timer stops when the icon is in.
    TrayWait->start();
    TrayWait_Timer();
    move(twipsToPixels(-8000), y());
    if (!iconAdded_)
        finishLoad();
}

void FormTray::finishLoad() {
    if (Web || exiting_)
        return;
    // Laying out its text is the program's first use of fonts, which takes a while.
    TextHead = new QPlainTextEdit(this);
    TextHead->setObjectName("TextHead");
    // The header of the viewing-history page; the page writer takes the CR LF original.
    TextHead->setPlainText(historyPageHeader());
    TextHead->hide();
    Web = ctx.browsers.create(this);
    Web->setObjectName("Web");
    Web->setSilent(true);
    Web->navigate(ctx.sites.url(kVendorService, "/pop/desktop.html"));

    Frmmain* main = mainWindow();
    // The first load has set the log-on entry up.
    mnutray_Popup();
    const QString stored = ctx.settings.read(kCinemaApp, "unload", "PingDao");
    main->Web->navigate(startupRadioPage(stored, defaultRadioPage(ctx.sites)));
    main->loadRadio();
    ctx.state.ActiveMainWindow = main;
    main->layout.Pop.Left = 30000;
    main->applyLayout();
    ctx.state.PumpStopRequested = false;
    pump_->start();
    shutdownSchedule->start();
}

void FormTray::TrayWait_Timer() {
    if (tray_.available()) {
        TrayWait->stop();
        if (!iconAdded_) {
            iconAdded_ = true;
            tray_.AddTrayIcon(windowIcon(), kProgramTitle, mnutray);
        }
        return;
    }
    // Without a notification area no click could ever bring the window up.
    if (++trayWaits_ == kTrayLooksBeforeShowing) {
        TrayWait->setInterval(kTrayLookLater);
        if (Frmmain* main = ctx.state.DefaultMainWindow)
            main->show();
    }
}

bool FormTray::iconShown() const {
    return iconAdded_ && tray_.available();
}

Frmmain* FormTray::mainWindow() {
    if (!ctx.state.DefaultMainWindow)
        ctx.state.DefaultMainWindow = new Frmmain(ctx);
    return ctx.state.DefaultMainWindow;
}

void FormTray::Form_QueryUnload() {
    UnhookTrayWindow();
    tray_.RemoveTrayIcon();
}

// ---- The tray icon ----------------------------------------------------------------------

void FormTray::HookTrayWindow() {
    if (hooked_)
        return;
    connect(&tray_, &SysTray::activated, this, &FormTray::TrayWindowProc);
    hooked_ = true;
}

void FormTray::UnhookTrayWindow() {
    if (!hooked_)
        return;
    disconnect(&tray_, &SysTray::activated, this, &FormTray::TrayWindowProc);
    hooked_ = false;
}

void FormTray::TrayWindowProc(QSystemTrayIcon::ActivationReason reason) {
    if (!hooked_)
        return;
    if (reason == QSystemTrayIcon::Trigger) {
        showMainWindow();
    } else if (reason == QSystemTrayIcon::Context) {
        if (!tray_.opensMenuItself())
            SysTrayMouseEventHandler();
    }
}

void FormTray::showMainWindow() {
    finishLoad();
    PortalState& state = ctx.state;
    // A default window that went is made again and sent back to the last address too.
    const bool reload = state.MainWindowClosed || !state.DefaultMainWindow;
    Frmmain* main = mainWindow();
    if (reload) {
        main->Web->navigate(state.LastMainUrl);
        main->loadRadio();
    } else {
        main->setWindowState(Qt::WindowMaximized);
    }
    main->show();
    main->raise();
    main->activateWindow();
}

void FormTray::SysTrayMouseEventHandler() {
    mnutray->popup(QCursor::pos());
}

// ---- The tray menu ----------------------------------------------------------------------

void FormTray::LoadMe_Click() {
    finishLoad();
    Frmmain* main = mainWindow();
    main->Web->navigate(defaultRadioPage(ctx.sites));
    main->loadRadio();
    main->show();
    main->raise();
    main->activateWindow();
}

void FormTray::AutoRun_Click() {
    if (!AutoRun->isChecked()) {
        ctx.registry.DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Radio");
        ctx.dialogs.information(nullptr, QStringLiteral("已经删除本软件的“开机自动运行”！    "));
        return;
    }
    ctx.registry.SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Radio",
                                   ctx.programFolder + "/Korvid");
}

void FormTray::open(const QString& target) {
    if (!ctx.desktop.openUrl(target))
        ctx.dialogs.information(nullptr, cannotOpenMessage(target));
}

void FormTray::softHome_Click() {
    open(ctx.sites.url(kVendorService, "/lan/"));
}

void FormTray::callme_Click() {
    open("mailto:" + kVendorContactAddress);
}

void FormTray::loaddisk_Click(int index) {
    if (index >= 0 && index < loaddisk.size())
        OpenDriveRoot(loaddisk.at(index)->text());
}

void FormTray::OpenDriveRoot(const QString& caption) {
    // "【/media/usb】" gives "/media/usb".
    if (caption.size() < 2)
        return;
    open(caption.mid(1, caption.size() - 2));
}

void FormTray::turnoffpc_Click() {
    ctx.desktop.shutdownNow();
}

void FormTray::trayclose_Click() {
    if (exiting_)
        return;
    exiting_ = true;
    Form_QueryUnload();
    Timer1->stop();
    TrayWait->stop();
    // No countdown after Exit, and none left counting.
    shutdownSchedule->stop();
    ctx.state.MainWindowClosed = true;
    if (Frmmain* main = ctx.state.DefaultMainWindow)
        main->close();
    // Further main windows stay open, and so may the windows opened from them; the program
    // ends when the last main window has gone.
    endWhenNoWindowIsLeft();
}

void FormTray::endSession() {
    trayclose_Click();
    QList<QPointer<Frmmain>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<Frmmain*>(window))
            windows.append(main);
    }
    for (const QPointer<Frmmain>& window : windows) {
        if (window)
            window->close();
    }
    endWhenNoWindowIsLeft();
}

void FormTray::lastMainWindowClosed() {
    // Without an icon nothing could bring a window back: the last close ends the program.
    if (!exiting_ && !iconShown())
        trayclose_Click();
    endWhenNoWindowIsLeft();
}

void FormTray::endWhenNoWindowIsLeft() {
    if (!exiting_ || exitFinished_ || ctx.state.MainWindowCount > 0)
        return;
    exitFinished_ = true;
    emit exitFinished();
}

// ---- The hourly chime -------------------------------------------------------------------

void FormTray::Timer1_Timer() {
    const QDateTime now = ctx.clock.now();
    // Wakes just after the next minute turns, not several times a second to find it.
    Timer1->setInterval(msecsToNextMinute(now) + kChimeLate);
    // The clock's own minutes, so the hour is found whatever the locale's time format.
    if (now.time().minute() != 0)
        return;
    // Once an hour, also when a look comes early or late in minute 00.
    const QDateTime hour(now.date(), QTime(now.time().hour(), 0));
    if (hour == lastChime_)
        return;
    lastChime_ = hour;
    ctx.desktop.playSound(programFile(ctx.programFolder, "\\logoff.wav"));
}

} // namespace lumera::portal
