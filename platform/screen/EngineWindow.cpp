#include "platform/screen/EngineWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>
#include <xcb/xcb.h>

namespace lumera {

namespace {

xcb_connection_t* x11Connection() {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

quint32 x11RootWindow() {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return 0;
    // The screen of the display name, as Qt opened it.
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const qsizetype colon = display.lastIndexOf(':');
    int number = dot > colon ? display.mid(dot + 1).toInt() : 0;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x11->connection()));
    for (; screens.rem; xcb_screen_next(&screens), --number) {
        if (number == 0)
            return screens.data->root;
    }
    return 0;
}

std::unique_ptr<EngineWindow> EngineWindow::open(quint64 id, QString& error) {
    xcb_connection_t* connection = x11Connection();
    if (!connection) {
        error = QStringLiteral("没有 X 显示，无法进入窗口");
        return nullptr;
    }
    const auto window = static_cast<xcb_window_t>(id);
    xcb_get_geometry_reply_t* geometry =
        id <= 0xFFFFFFFFu
            ? xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr)
            : nullptr;
    if (!geometry) {
        error = QStringLiteral("窗口 0x%1 不存在").arg(id, 0, 16);
        return nullptr;
    }
    const xcb_window_t root = geometry->root;
    QRect rect(0, 0, geometry->width, geometry->height);
    free(geometry);
    xcb_translate_coordinates_reply_t* onRoot = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, 0, 0), nullptr);
    if (onRoot) {
        rect.moveTo(onRoot->dst_x, onRoot->dst_y);
        free(onRoot);
    }
    // Resizes and the end of the window come to us as well as to the engine. A drawable that is
    // no window (a pixmap), or a window destroyed since the question above, refuses this: once
    // it is accepted, the window's end reaches us whenever it comes.
    const quint32 mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (xcb_generic_error_t* refused = xcb_request_check(
            connection,
            xcb_change_window_attributes_checked(connection, window, XCB_CW_EVENT_MASK, &mask))) {
        free(refused);
        error = QStringLiteral("0x%1 不是一个窗口，或已不存在").arg(id, 0, 16);
        return nullptr;
    }
    return std::unique_ptr<EngineWindow>(new EngineWindow(connection, window, root, rect));
}

EngineWindow::EngineWindow(void* connection, quint32 id, quint32 root, QRect geometry)
    : connection_(connection), id_(id), root_(root), geometry_(geometry),
      window_(QWindow::fromWinId(id)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

EngineWindow::~EngineWindow() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    delete window_;
}

void EngineWindow::embed(QWindow* ours) {
    embedded_ = ours;
    ours->setParent(window_);
    ours->setPosition(0, 0);
    fitEmbedded();
}

void EngineWindow::fitEmbedded() {
    if (!embedded_)
        return;
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    const quint32 values[] = {0, 0, quint32(geometry_.width()), quint32(geometry_.height())};
    xcb_configure_window(connection, static_cast<xcb_window_t>(embedded_->winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(connection);
}

bool EngineWindow::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~0x80) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
        const QSize size(configure->width, configure->height);
        // Qt sizes our window in its own pixels, rounded: the server's size is the engine's.
        if (embedded_ && configure->window == embedded_->winId() &&
            configure->event == configure->window && size != geometry_.size()) {
            fitEmbedded();
            return false;
        }
        if (configure->window != id_ || configure->event != id_)
            return false;
        if (size != geometry_.size()) {
            geometry_.setSize(size);
            fitEmbedded();
        }
        return false;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (destroyed->window == id_)
            emit gone();
        return false;
    }
    default:
        return false;
    }
}

} // namespace lumera
