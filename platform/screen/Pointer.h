#pragma once

#include <QPoint>
#include <memory>

namespace lumera {

class SeenPointerPosition;

// The mouse pointer of the desktop: where it is, and whether the program's windows show it.
// The real implementation is made in main(); tests hand down FakePointer.
class Pointer {
public:
    virtual ~Pointer() = default;
    // The position on the desktop, in screen pixels.
    virtual QPoint position() const = 0;
    // Hides the pointer over the program's windows; show brings it back.
    virtual void hide() = 0;
    virtual void show() = 0;
};

// The pointer through Qt: QCursor::pos and an override cursor that is blank. It hides once
// however often it is asked, so one show always brings the pointer back. On Wayland, where
// QCursor::pos is not kept up to date, the position is the one last seen over our windows.
// Made after the application object.
class QtPointer : public Pointer {
public:
    QtPointer();
    ~QtPointer() override;
    QPoint position() const override;
    void hide() override;
    void show() override;

private:
    bool hidden_ = false;
    std::unique_ptr<SeenPointerPosition> seen_;
};

} // namespace lumera
