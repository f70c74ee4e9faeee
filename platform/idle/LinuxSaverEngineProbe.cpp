#include "platform/idle/LinuxSaverEngineProbe.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

namespace lumera {

namespace {

bool rootWindowMarked() {
    if (!std::getenv("DISPLAY"))
        return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool marked = false;
    if (!xcb_connection_has_error(connection)) {
        const char* name = "_SCREENSAVER_VERSION";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
        if (atom && atom->atom != XCB_ATOM_NONE) {
            const xcb_window_t root =
                xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
            xcb_get_property_reply_t* property = xcb_get_property_reply(
                connection,
                xcb_get_property(connection, 0, root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 0),
                nullptr);
            marked = property && property->type != XCB_ATOM_NONE;
            std::free(property);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return marked;
}

// ":0" and ":0.0" are one display.
QByteArray displayName(QByteArray name) {
    const qsizetype colon = name.lastIndexOf(':');
    const qsizetype dot = name.indexOf('.', colon);
    return dot < 0 ? name : name.left(dot);
}

QByteArray displayOf(const QString& pid) {
    QFile environ("/proc/" + pid + "/environ");
    if (!environ.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& variable : environ.readAll().split('\0')) {
        if (variable.startsWith("DISPLAY="))
            return displayName(variable.mid(8));
    }
    return {};
}

// A process of this user by that name on this display (a user may be logged on to several).
bool ownProcessOnDisplay(const QByteArray& name) {
    const uint uid = ::getuid();
    const QByteArray display = displayName(qgetenv("DISPLAY"));
    const QStringList processes = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : processes) {
        if (pid.front() < '0' || pid.front() > '9')
            continue;
        if (QFileInfo("/proc/" + pid).ownerId() != uid)
            continue;
        QFile comm("/proc/" + pid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name &&
            displayOf(pid) == display)
            return true;
    }
    return false;
}

} // namespace

bool LinuxSaverEngineProbe::xscreensaverRuns() {
    return rootWindowMarked() || ownProcessOnDisplay("xscreensaver");
}

bool LinuxSaverEngineProbe::busNameOwned(const QString& name) {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(name).value();
}

} // namespace lumera
