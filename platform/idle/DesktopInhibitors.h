#pragma once

#include "platform/idle/ScreenSaverInhibitor.h"

#include <QString>
#include <memory>
#include <vector>

namespace lumera {

// Several ways held and released together.
class InhibitorSet : public ScreenSaverInhibitor {
public:
    explicit InhibitorSet(std::vector<std::unique_ptr<ScreenSaverInhibitor>> ways);
    void hold(const QList<QWindow*>& windows) override;
    // Whether any way holds.
    bool inhibited() const override;

private:
    std::vector<std::unique_ptr<ScreenSaverInhibitor>> ways_;
};

// Every way the session offers: the screen-saver services and the session manager on the
// session bus and, in a Wayland session, the compositor's idle-inhibit protocol on the
// windows' surfaces. Needs the application object.
std::unique_ptr<ScreenSaverInhibitor> desktopInhibitors(const QString& applicationName);

} // namespace lumera
