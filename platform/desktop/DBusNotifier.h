#pragma once

#include "platform/desktop/Notifier.h"

namespace lumera {

// Notifier through org.freedesktop.Notifications on the session bus. Without that service
// the message is simply not shown.
class DBusNotifier : public Notifier {
public:
    explicit DBusNotifier(QString applicationName);
    void notify(const QString& title, const QString& body) override;

private:
    QString applicationName_;
};

} // namespace lumera
