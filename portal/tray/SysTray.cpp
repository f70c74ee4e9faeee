#include "portal/tray/SysTray.h"

#include <QMenu>

namespace lumera::portal {

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
}

void QtSysTray::RemoveTrayIcon() {
    if (!icon_)
        return;
    icon_->hide();
    icon_->deleteLater();
    icon_ = nullptr;
}

} // namespace lumera::portal
