#pragma once

#include "portal/PageWindowLimiter.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

namespace lumera::portal {

class Frmmain;

// The process-wide state of Korvid, one copy per process, owned by the application object
// and handed to every form by reference.
struct PortalState {
    // Loaded main windows.
    std::int32_t MainWindowCount = 0;
    // While true the mouse pump leaves wheel and right-button messages alone.
    bool MouseHookPaused = false;
    // Ends the mouse pump for good.
    bool PumpStopRequested = false;
    // The main window activated last; the pump works on it.
    QPointer<Frmmain> ActiveMainWindow;
    // The main window active last: kept while another application is active, null once
    // another window of the program (a dialog, say) took over.
    QPointer<Frmmain> LastActiveWindow;
    // The default main window the tray host loads and re-opens (null while unloaded).
    QPointer<Frmmain> DefaultMainWindow;
    // A tray click re-opens the default main window on LastMainUrl.
    bool MainWindowClosed = false;
    // Address shown by a main window when it closed.
    QString LastMainUrl;
    // History rows not yet saved, newest first.
    QString HistoryBuffer;
    // Windows that pages opened by themselves, kept to a few a minute.
    PageWindowLimiter PageWindows;
    // Told when the last main window has closed; the tray host decides whether that ends
    // the program.
    std::function<void()> LastMainWindowClosed;
};

} // namespace lumera::portal
