#pragma once

#include "platform/idle/IdleInhibition.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusServiceWatcher>
#include <QObject>
#include <functional>
#include <map>

namespace lumera {

// org.freedesktop.ScreenSaver on the session bus, served as the screen-saver engines serve it,
// for a desktop where nobody else does: a video player or a browser playing a film asks it to
// keep the saver away. An inhibition lasts until UnInhibit with its cookie, or until the program
// that asked leaves the bus (also by a crash). Served at both paths programs use.
class ScreenSaverService : public QObject, public IdleInhibition, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    // `active` answers GetActive: whether the saver is up.
    ScreenSaverService(QDBusConnection bus, std::function<bool()> active,
                       QObject* parent = nullptr);
    // Gives the name up.
    ~ScreenSaverService() override;

    // Takes the name where nobody owns it; false where somebody does (the desktop serves it),
    // and then nothing is served.
    bool serve();

    // Whether any program holds an inhibition.
    bool inhibited() override { return !inhibitions_.empty(); }

public slots:
    Q_SCRIPTABLE uint Inhibit(const QString& application, const QString& reason);
    Q_SCRIPTABLE void UnInhibit(uint cookie);
    Q_SCRIPTABLE bool GetActive();
    Q_SCRIPTABLE void SimulateUserActivity();

signals:
    // The last inhibition has ended.
    void released();
    // A program said the user is active (SimulateUserActivity).
    void userActivity();

private:
    void callerLeft(const QString& caller);
    void drop(std::map<uint, QString>::iterator inhibition);

    QDBusConnection bus_;
    std::function<bool()> active_;
    QDBusServiceWatcher callers_;
    bool serving_ = false;
    // Cookie → the unique bus name of the program that holds it.
    std::map<uint, QString> inhibitions_;
    uint lastCookie_ = 0;
};

} // namespace lumera
