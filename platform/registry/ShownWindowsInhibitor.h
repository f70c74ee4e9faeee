#pragma once

#include "platform/registry/ScreenSaverInhibitor.h"

#include <QObject>
#include <functional>

class QWidget;

namespace lumera {

// The screen-saver switch as the desktop gets to see it: the desktop's inhibition is held only
// while the switch asks for it and at least one main window is on screen (shown and not
// minimised). A program that sits in the tray for days must not keep the desktop's idle lock
// away all that time. Every main window turns the switch off as it loads and on again as it
// closes: the switch asks for as long as one of them has not turned it on again, so closing
// one window keeps the inhibition of another still on screen. The windows are watched through
// the application's events, so they need not report anything themselves.
class ShownWindowsInhibitor : public QObject, public ScreenSaverInhibitor {
public:
    // isMainWindow picks the top-level windows that count. Needs the application object.
    ShownWindowsInhibitor(ScreenSaverInhibitor& desktop,
                          std::function<bool(const QWidget*)> isMainWindow);
    ~ShownWindowsInhibitor() override;

    // The switch: turned off (asked for) by one more window, or on again by one.
    void inhibit() override;
    void release() override;
    // Whether the desktop's inhibition is held.
    bool inhibited() const override { return desktop_.inhibited(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    ScreenSaverInhibitor& desktop_;
    std::function<bool(const QWidget*)> isMainWindow_;
    // How many have turned the switch off and not on again.
    int asks_ = 0;
};

} // namespace lumera
