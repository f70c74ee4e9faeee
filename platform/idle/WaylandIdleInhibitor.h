#pragma once

#include "platform/idle/ScreenSaverInhibitor.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

struct wl_surface;
struct zwp_idle_inhibitor_v1;

namespace lumera {

// The compositor's idle-inhibit protocol (zwp_idle_inhibit_manager_v1) on the surface of each
// window held, over the program's own Wayland connection: sway, KWin and Mutter keep idleness
// away while such a surface is visible, and drop the inhibitor with the connection, so it ends
// with the process. For windows on Qt's Wayland platform; anywhere else it holds nothing.
class WaylandIdleInhibitor : public QObject, public ScreenSaverInhibitor {
public:
    WaylandIdleInhibitor();
    ~WaylandIdleInhibitor() override;

    // Whether the compositor offers the protocol.
    bool offered() const;

    void hold(const QList<QWindow*>& windows) override;
    bool inhibited() const override { return !inhibitors_.empty(); }

    struct Globals;

private:
    struct Inhibitor {
        QPointer<QWindow> window;
        wl_surface* surface = nullptr;
        zwp_idle_inhibitor_v1* inhibitor = nullptr;
    };
    // Brings the inhibitors in line with the windows wanted; false while a wanted window has
    // no surface yet.
    bool update();

    std::unique_ptr<Globals> globals_;
    QList<QPointer<QWindow>> wanted_;
    std::vector<Inhibitor> inhibitors_;
    // A window just shown gets its surface a moment later.
    QTimer surfaceWait_;
    int surfaceWaits_ = 0;
};

} // namespace lumera
