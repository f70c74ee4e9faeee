#pragma once

#include "portal/PortalContext.h"

#include <QDateTime>
#include <QList>
#include <QSystemTrayIcon>
#include <QWidget>

class QAction;
class QMenu;
class QPlainTextEdit;
class QTimer;

namespace lumera {
class WebBrowser;
}

namespace lumera::portal {

class Frmmain;
class MainWindowMousePump;
class ShutdownSchedule;
class SysTray;

// The hidden tray host of Korvid. Its load is the program's start-up: it loads the default
// main window hidden on the remembered radio page, puts the icon into the notification area
// and starts the mouse pump. It owns the tray menu and the hourly chime, and is never shown.
class FormTray : public QWidget {
    Q_OBJECT
public:
    FormTray(PortalContext& context, SysTray& tray, QWidget* parent = nullptr);
    ~FormTray() override;

    // ---- Controls ---------------------------------------------------------------------
    WebBrowser* Web = nullptr;
    QTimer* Timer1 = nullptr;
    // Looks for a notification area that comes up after start-up (a panel starting later at
    // log-on), and docks the icon there when it does.
    QTimer* TrayWait = nullptr;
    QPlainTextEdit* TextHead = nullptr;

    // ---- The tray menu ----------------------------------------------------------------
    QMenu* mnutray = nullptr;
    QAction* LoadMe = nullptr;
    QAction* AutoRun = nullptr;
    QMenu* aboutme = nullptr;
    QAction* helpMe = nullptr;
    QAction* aboutbar0 = nullptr;
    QAction* softHome = nullptr;
    QAction* callme = nullptr;
    QAction* softbar = nullptr;
    QAction* popbar33 = nullptr;
    QAction* TimeRing = nullptr;
    QMenu* diskbag = nullptr;
    QList<QAction*> loaddisk;
    QAction* turnoffpc = nullptr;
    QAction* kuaibar1 = nullptr;
    QAction* trayclose = nullptr;

    // ---- Start-up and the tray icon ---------------------------------------------------
    // The start-up sequence: the icon, then (once it is on screen) finishLoad.
    void Form_Load();
    // The rest of the start-up: the tray host's history header and silent browser, the hidden
    // default main window on the remembered radio page, the mouse pump. Runs once; a click
    // that comes first runs it.
    void finishLoad();
    void Form_QueryUnload();
    void HookTrayWindow();
    void UnhookTrayWindow();
    void TrayWindowProc(QSystemTrayIcon::ActivationReason reason);
    void SysTrayMouseEventHandler();
    // What a left click on the icon does; a second start of the program asks for it too.
    void showMainWindow();
    // The default main window, loaded again when it was unloaded.
    Frmmain* mainWindow();
    MainWindowMousePump& pump() const { return *pump_; }

    // ---- Menu and timer handlers ------------------------------------------------------
    // As the menu opens: the AutoRun mark shows whether the log-on entry exists, and the
    // drive entries list the volumes mounted now.
    void mnutray_Popup();
    void LoadMe_Click();
    // The entry has already changed its check mark when this runs.
    void AutoRun_Click();
    void softHome_Click();
    void callme_Click();
    void loaddisk_Click(int index);
    void turnoffpc_Click();
    void trayclose_Click();
    void Timer1_Timer();
    void TrayWait_Timer();

    // The end of the session or a quit signal: Exit, then every main window closes as if
    // the user closed it, so addresses and the history are stored before the program ends.
    void endSession();

    // ---- The scheduled shutdown -------------------------------------------------------
    // Looks at the clock once a minute from the end of start-up on.
    ShutdownSchedule* shutdownSchedule = nullptr;

signals:
    // Exit has run and no main window is left: the program may end.
    void exitFinished();

private:
    void createMenu();
    void OpenDriveRoot(const QString& caption);
    // Opens through the desktop; where nothing can open it, the user is told.
    void open(const QString& target);
    void endWhenNoWindowIsLeft();
    void lastMainWindowClosed();
    bool iconShown() const;

    PortalContext& ctx;
    SysTray& tray_;
    MainWindowMousePump* pump_;
    bool hooked_ = false;
    bool iconAdded_ = false;
    int trayWaits_ = 0;
    bool exiting_ = false;
    bool exitFinished_ = false;
    // The hour the chime last sounded.
    QDateTime lastChime_;
};

} // namespace lumera::portal
