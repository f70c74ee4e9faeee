#pragma once

#include <QObject>
#include <QPoint>

namespace lumera {

// Where the pointer was last seen over one of the program's windows, from the enter and move
// events Qt delivers to them. On Wayland that is all a program can know: the desktop tells
// no client where the pointer is over other surfaces. (0, 0) until the pointer has been seen.
class SeenPointerPosition : public QObject {
    Q_OBJECT
public:
    // Watches every event of the application.
    explicit SeenPointerPosition(QObject* parent = nullptr);
    ~SeenPointerPosition() override;

    QPoint position() const { return position_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint position_;
};

} // namespace lumera
