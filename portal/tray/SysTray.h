#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QIcon;
class QMenu;

namespace lumera::portal {

// The program's icon in the desktop's notification area (module systray).
class SysTray : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SysTray() override = default;

    // Whether the desktop has a notification area at all.
    virtual bool available() const = 0;
    // Puts the icon with its tooltip into the notification area, once. `menu` is the tray
    // menu, for desktops that open it themselves on the right button.
    virtual void AddTrayIcon(const QIcon& icon, const QString& tooltip, QMenu* menu) = 0;
    virtual void RemoveTrayIcon() = 0;
    // True when the desktop pops up the tray menu itself on the right button.
    virtual bool opensMenuItself() const = 0;

signals:
    // Trigger is the left button, Context the right button.
    void activated(QSystemTrayIcon::ActivationReason reason);
    // Once after AddTrayIcon: the icon is on screen, or the desktop has had its time to put
    // it there.
    void iconShown();
};

// The notification area through QSystemTrayIcon.
class QtSysTray : public SysTray {
    Q_OBJECT
public:
    explicit QtSysTray(QObject* parent = nullptr);

    bool available() const override;
    void AddTrayIcon(const QIcon& icon, const QString& tooltip, QMenu* menu) override;
    void RemoveTrayIcon() override;
    bool opensMenuItself() const override { return true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reportShown();

    QSystemTrayIcon* icon_ = nullptr;
    bool shownReported_ = false;
};

} // namespace lumera::portal
