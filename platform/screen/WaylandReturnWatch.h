#pragma once

#include <QObject>
#include <chrono>
#include <memory>

struct wl_display;

namespace lumera {

// Sees the user's first key press or pointer action while the monitors are off, whatever
// idle inhibitors hold (the compositor's idle notifications leave inhibited time out): an empty
// surface on each output's overlay layer, over a connection of our own to $WAYLAND_DISPLAY,
// takes the keyboard and lies under the pointer. It comes off at the first input.
class WaylandReturnWatch : public QObject {
    Q_OBJECT
public:
    explicit WaylandReturnWatch(QObject* parent = nullptr);
    ~WaylandReturnWatch() override;

    // False without a compositor, an output, a seat or wlroots' layer shell. Input within the
    // rest time does not count: the hand that gave the command comes to rest.
    bool watch(std::chrono::milliseconds restTime);

    struct Globals;

signals:
    void returned();
    // The compositor has gone.
    void lost();

private:
    wl_display* display_ = nullptr;
    std::unique_ptr<Globals> globals_;
};

} // namespace lumera
