#include "portal/tray/SysTray.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace lumera::portal {

namespace {

// How long a tray that takes the icon in may keep the rest of the start waiting.
constexpr int kIconShownAtLatest = 1000;

} // namespace

QtSysTray::QtSysTray(QObject* parent) : SysTray(parent) {}

bool QtSysTray::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtSysTray::AddTrayIcon(const QIcon& icon, const QString& tooltip, QMenu* menu) {
    if (icon_)
        return;
    icon_ = new QSystemTrayIcon(icon, this);
    icon_->setToolTip(tooltip);
    // Desktops that speak to the icon over D-Bus only ever open the menu they were given.
    icon_->setContextMenu(menu);
    connect(icon_, &QSystemTrayIcon::activated, this, &SysTray::activated);
    icon_->show();
    // In a tray that embeds windows the icon is a small window of ours: it is on screen once
    // it has been painted. A desktop that draws the icon itself has it at once.
    bool ownWindow = false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qstrcmp(window->metaObject()->className(), "QSystemTrayIconSys") == 0) {
            window->installEventFilter(this);
            ownWindow = true;
        }
    }
    QTimer::singleShot(ownWindow ? kIconShownAtLatest : 0, this, &QtSysTray::reportShown);
}

bool QtSysTray::eventFilter(QObject* watched, QEvent* event) {
    // Reported once the paint has been handled.
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &QtSysTray::reportShown, Qt::QueuedConnection);
    }
    return SysTray::eventFilter(watched, event);
}

void QtSysTray::reportShown() {
    if (shownReported_)
        return;
    shownReported_ = true;
    emit iconShown();
}

void QtSysTray::RemoveTrayIcon() {
    if (!icon_)
        return;
    icon_->hide();
    icon_->deleteLater();
    icon_ = nullptr;
}

} // namespace lumera::portal
