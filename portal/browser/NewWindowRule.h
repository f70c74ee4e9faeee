#pragma once

#include <QString>

namespace lumera::portal {

// What a main window does with a page's request for a new window.
enum class NewWindowAction {
    Open,       // a new main window receives the page
    LeaveAlone, // the request is not answered (the browser opens nothing of its own)
    Refuse,     // cancelled, and the status bar says so
};

struct NewWindowInput {
    QString activeHref;     // the link the user activated on the page, if any
    QString lastStatusText; // the window's last meaningful status text
    QString locationUrl;    // the address the main pane shows
    bool userInitiated = false;
    // The settings switch "禁止《Lumera桌面》弹出新的窗口" is ticked.
    bool blockPageWindows = false;
};

// A status text longer than this is no link address the user pointed at.
constexpr int kLinkStatusLength = 150;

NewWindowAction newWindowAction(const NewWindowInput& input);

// Panel 1 when a page's window was refused.
inline const QString kRefusedWindowStatus = QStringLiteral("已阻止本页弹出的新窗口");

// Pages open no window by themselves while this many main windows are open: at a few a
// minute, a page that keeps asking would otherwise pile windows up for as long as it is left.
constexpr int kMaxMainWindowsForPageWindows = 10;

} // namespace lumera::portal
