#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>
#include <memory>

class QWindow;

namespace lumera {

// A window that the desktop's screen-saver engine made for the saver (X11): ours goes inside
// it, fills it and follows it. The engine owns it, the screen and the input; when it resizes
// or destroys the window, the saver hears of it.
class EngineWindow : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // The window of that id on the application's X display; none where there is no X display
    // or no such window.
    static std::unique_ptr<EngineWindow> open(quint64 id);
    ~EngineWindow() override;

    // The window as Qt knows a window of another program: ours is parented to it.
    QWindow* window() const { return window_; }
    // Its place on the screen (on its root window) and its size.
    QRect geometry() const { return geometry_; }
    // The root window it is on: one a screen of the display.
    quint32 root() const { return root_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void resized(QSize size);
    // The engine destroyed the window.
    void gone();

private:
    EngineWindow(void* connection, quint32 id, quint32 root, QRect geometry);

    void* connection_;
    quint32 id_;
    quint32 root_;
    QRect geometry_;
    QWindow* window_ = nullptr;
};

// The root window of the application's default screen on X11; 0 elsewhere.
quint32 x11RootWindow();

} // namespace lumera
