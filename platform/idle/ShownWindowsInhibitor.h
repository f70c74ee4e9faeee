#pragma once

#include "platform/idle/ScreenSaverInhibitor.h"

#include <QObject>
#include <functional>

class QWidget;

namespace lumera {

// Keeps the desktop's saver away while at least one main window is on screen (shown and not
// minimised), and only then: a program that sits in the tray for days must not keep the
// desktop's idle lock away all that time. The windows are watched through the application's
// events, so they need not report anything themselves.
class ShownWindowsInhibitor : public QObject {
public:
    // isMainWindow picks the top-level windows that count. Needs the application object.
    ShownWindowsInhibitor(ScreenSaverInhibitor& desktop,
                          std::function<bool(const QWidget*)> isMainWindow);
    ~ShownWindowsInhibitor() override;

    // Whether the desktop's inhibition is held.
    bool inhibited() const { return desktop_.inhibited(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    ScreenSaverInhibitor& desktop_;
    std::function<bool(const QWidget*)> isMainWindow_;
};

} // namespace lumera
