#pragma once

#include "portal/tray/SysTray.h"

#include <QIcon>

namespace lumera::test {

// A notification area that records the icon; a test clicks it by emitting activated().
class FakeSysTray : public portal::SysTray {
public:
    bool available() const override { return isAvailable; }
    void AddTrayIcon(const QIcon& icon, const QString& tooltip, QMenu* menu) override {
        ++adds;
        shown = true;
        this->icon = icon;
        this->tooltip = tooltip;
        this->menu = menu;
        if (!holdIconShown)
            emit iconShown();
    }
    void RemoveTrayIcon() override { shown = false; }
    bool opensMenuItself() const override { return false; }
    void click(QSystemTrayIcon::ActivationReason reason) { emit activated(reason); }

    bool isAvailable = true;
    // Keeps iconShown back until the test emits it.
    bool holdIconShown = false;
    bool shown = false;
    int adds = 0;
    QIcon icon;
    QString tooltip;
    QMenu* menu = nullptr;
};

} // namespace lumera::test
