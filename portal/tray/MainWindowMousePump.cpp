#include "portal/tray/MainWindowMousePump.h"

#include "platform/web/WebBrowser.h"
#include "portal/PortalState.h"
#include "portal/mainwindow/Frmmain.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

namespace lumera::portal {

namespace {

constexpr int kNotch = 120;

bool isInside(QObject* target, QWidget* area) {
    auto* widget = qobject_cast<QWidget*>(target);
    return widget && (widget == area || area->isAncestorOf(widget));
}

} // namespace

MainWindowMousePump::MainWindowMousePump(PortalState& state, QObject* parent)
    : QObject(parent), state_(state) {}

MainWindowMousePump::~MainWindowMousePump() {
    stop();
}

void MainWindowMousePump::start() {
    // Not started again once it has ended.
    if (running_ || ended_)
        return;
    running_ = true;
    qApp->installEventFilter(this);
}

void MainWindowMousePump::stop() {
    if (!running_)
        return;
    running_ = false;
    ended_ = true;
    if (qApp)
        qApp->removeEventFilter(this);
}

QWidget* MainWindowMousePump::activePage() const {
    if (state_.MouseHookPaused)
        return nullptr;
    Frmmain* window = state_.ActiveMainWindow;
    if (!window || !window->Web)
        return nullptr;
    return window->Web->widget();
}

bool MainWindowMousePump::eventFilter(QObject* watched, QEvent* event) {
    if (state_.PumpStopRequested) {
        stop();
        return false;
    }
    const QEvent::Type type = event->type();
    if (type != QEvent::Wheel && type != QEvent::MouseButtonPress)
        return false;
    QWidget* page = activePage();
    if (!page || !isInside(watched, page))
        return false;
    Frmmain* window = state_.ActiveMainWindow;

    if (type == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta == 0)
            return false;
        // A change of direction drops what was left of the other one.
        if ((pendingDelta_ < 0) != (delta < 0))
            pendingDelta_ = 0;
        pendingDelta_ += delta;
        while (pendingDelta_ <= -kNotch || pendingDelta_ >= kNotch) {
            const bool towardsUser = pendingDelta_ < 0;
            window->Web->scrollBy(0, towardsUser ? kScrollStep : -kScrollStep);
            pendingDelta_ += towardsUser ? kNotch : -kNotch;
        }
        return true;
    }
    if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton)
        return false;
    window->MouseRight->popup(QCursor::pos());
    return true;
}

} // namespace lumera::portal
