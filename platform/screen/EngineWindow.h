#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>
#include <memory>

class QWindow;

namespace lumera {

// A window that the desktop's screen-saver engine made for the saver (X11): ours goes inside
// it, fills it and follows it. The engine owns it, the screen and the input; when it destroys
// the window, the saver hears of it.
class EngineWindow : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // The window of that id on the application's X display. None, with the reason in `error`,
    // where there is no X display, or the id names no window (gone already, a pixmap): the
    // window is taken only once the X server has agreed to tell us of its end.
    static std::unique_ptr<EngineWindow> open(quint64 id, QString& error);
    ~EngineWindow() override;

    // Puts our window inside this one, filling it in the X server's own pixels whatever scale
    // Qt draws at, and keeps it so when the engine resizes its window or Qt ours.
    void embed(QWindow* ours);
    // Its place on the screen (on its root window) and its size, in the X server's pixels.
    QRect geometry() const { return geometry_; }
    // The root window it is on: one a screen of the display.
    quint32 root() const { return root_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The engine destroyed the window.
    void gone();

private:
    EngineWindow(void* connection, quint32 id, quint32 root, QRect geometry);
    void fitEmbedded();

    void* connection_;
    quint32 id_;
    quint32 root_;
    QRect geometry_;
    QWindow* window_ = nullptr;
    QWindow* embedded_ = nullptr;
};

// The root window of the application's default screen on X11; 0 elsewhere.
quint32 x11RootWindow();

} // namespace lumera
