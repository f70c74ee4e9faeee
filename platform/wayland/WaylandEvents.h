#pragma once

#include <QObject>

struct wl_display;
class QSocketNotifier;

namespace lumera {

// Runs the listeners of a connection of our own to the compositor from Qt's event loop: each
// time the connection is readable, what came is read without blocking and dispatched, and what
// the listeners asked goes out.
class WaylandEvents : public QObject {
    Q_OBJECT
public:
    WaylandEvents(wl_display* display, QObject* parent);

signals:
    // The compositor has gone, and the session with it.
    void lost();

private:
    void dispatch();

    wl_display* display_;
    QSocketNotifier* notifier_;
};

} // namespace lumera
