#include "platform/idle/DBusIdleInhibitor.h"
#include "platform/idle/ScreenSaverService.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

using namespace lumera;

namespace {

// A screen saver and a session manager of another program's on the test's private session bus.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList* calls = nullptr;
    uint nextCookie = 41;
public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        calls->append("Inhibit " + application + " " + (reason.isEmpty() ? "-" : "reason"));
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { calls->append(QString("UnInhibit %1").arg(cookie)); }
};

class FakeSessionManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public:
    QStringList* calls = nullptr;
public slots:
    uint Inhibit(const QString& application, uint window, const QString&, uint flags) {
        calls->append(QString("session Inhibit %1 %2 %3").arg(application).arg(window).arg(flags));
        return 7;
    }
    void Uninhibit(uint cookie) { calls->append(QString("session Uninhibit %1").arg(cookie)); }
};

// The services run on their own connection in their own thread, as another program's would.
class ServiceThread : public QThread {
public:
    QStringList calls;
    bool registered = false;
    void run() override {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "svc");
        FakeScreenSaver saver;
        FakeSessionManager session;
        saver.calls = session.calls = &calls;
        registered = bus.registerObject("/org/freedesktop/ScreenSaver", &saver,
                                        QDBusConnection::ExportAllSlots) &&
                     bus.registerObject("/org/gnome/SessionManager", &session,
                                        QDBusConnection::ExportAllSlots) &&
                     bus.registerService("org.gnome.SessionManager") &&
                     bus.registerService("org.freedesktop.ScreenSaver");
        exec();
        QDBusConnection::disconnectFromBus("svc");
    }
};

// Runs the events until the condition holds, two seconds at most.
template <typename Condition> bool eventually(Condition condition) {
    for (int i = 0; i < 200 && !condition(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
    return condition();
}

// A call as another program makes it, from a connection of its own.
QDBusMessage call(const QString& connection, const QString& path, const QString& method,
                  const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver", path,
                                                          "org.freedesktop.ScreenSaver", method);
    message.setArguments(arguments);
    return QDBusConnection(connection).call(message, QDBus::BlockWithGui, 2000);
}

// One application object for the program, kept to the end: a second one after the first had
// used the session bus would find Qt's bus objects spoilt.
void application() {
    static int argc = 1;
    static char arg0[] = "test";
    static char* argv[] = {arg0, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    Q_UNUSED(app);
}
// The windows matter only in an X session, where the session manager is told the first one's id.
const QList<QWindow*> kShown{nullptr};

} // namespace

TEST(DBusIdleInhibitor, AsksEachServiceOnceAlsoOneThatComesLaterAndReleasesItsCookie) {
    application();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no session bus";
    auto saver = std::make_unique<DBusIdleInhibitor>(
        bus, DBusIdleInhibitor::Service::FreedesktopScreenSaver, "Korvid");
    DBusIdleInhibitor session(bus, DBusIdleInhibitor::Service::SessionManager, "Korvid");
    DBusIdleInhibitor mate(bus, DBusIdleInhibitor::Service::MateScreenSaver, "Korvid");
    saver->hold(kShown);
    mate.hold(kShown); // nobody serves it: not an error
    EXPECT_FALSE(saver->inhibited());

    ServiceThread thread;
    thread.start();
    ASSERT_TRUE(eventually([&] { return thread.registered; }));
    // The service that came while a window was on screen is asked then.
    EXPECT_TRUE(eventually([&] { return saver->inhibited(); }));
    saver->hold(kShown);
    session.hold(kShown);
    session.hold({});
    saver->hold({});
    EXPECT_FALSE(saver->inhibited());
    saver->hold(kShown);
    saver.reset(); // held when it goes: released then
    EXPECT_FALSE(mate.inhibited());
    thread.quit();
    thread.wait();
    // The bus lets go of the service's names a moment after its connection closed; the next
    // test serves one of them.
    EXPECT_TRUE(eventually([&] {
        return !bus.interface()->isServiceRegistered("org.freedesktop.ScreenSaver").value();
    }));
    EXPECT_EQ(thread.calls, QStringList({"Inhibit Korvid reason", "session Inhibit Korvid 0 8",
                                         "session Uninhibit 7", "UnInhibit 42",
                                         "Inhibit Korvid reason", "UnInhibit 43"}));
}

TEST(ScreenSaverService, HoldsEachProgramsInhibitionsUntilItReleasesThemOrLeavesTheBus) {
    application();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no session bus";
    bool saverUp = false;
    ScreenSaverService service(bus, [&saverUp] { return saverUp; });
    ASSERT_TRUE(service.serve());
    // The callers' connections are held by name only: dropping the name ends one.
    QDBusConnection::connectToBus(QDBusConnection::SessionBus, "player");
    QDBusConnection::connectToBus(QDBusConnection::SessionBus, "browser");
    ScreenSaverService second(QDBusConnection("browser"), {});
    EXPECT_FALSE(second.serve()); // the name is taken: a second one serves nothing
    QSignalSpy released(&service, &ScreenSaverService::released);
    QSignalSpy activity(&service, &ScreenSaverService::userActivity);

    const uint film = call("player", "/org/freedesktop/ScreenSaver", "Inhibit", {"mpv", "film"})
                          .arguments()
                          .value(0)
                          .toUInt();
    const uint other =
        call("player", "/ScreenSaver", "Inhibit", {"mpv", "film"}).arguments().value(0).toUInt();
    EXPECT_NE(film, 0u);
    EXPECT_NE(film, other);
    EXPECT_TRUE(service.inhibited());
    call("browser", "/ScreenSaver", "UnInhibit", {film}); // not the browser's to end
    call("player", "/ScreenSaver", "UnInhibit", {film});
    EXPECT_TRUE(service.inhibited()); // the other one is still held
    EXPECT_TRUE(released.isEmpty());

    const uint tab = call("browser", "/ScreenSaver", "Inhibit", {"browser", "video"})
                         .arguments()
                         .value(0)
                         .toUInt();
    call("browser", "/org/freedesktop/ScreenSaver", "UnInhibit", {tab});
    EXPECT_TRUE(service.inhibited());
    EXPECT_TRUE(released.isEmpty());
    QDBusConnection::disconnectFromBus("player"); // gone without UnInhibit, as at a crash
    EXPECT_TRUE(eventually([&] { return !service.inhibited(); }));
    EXPECT_EQ(released.size(), 1);

    EXPECT_FALSE(call("browser", "/ScreenSaver", "GetActive").arguments().value(0).toBool());
    saverUp = true;
    EXPECT_TRUE(call("browser", "/ScreenSaver", "GetActive").arguments().value(0).toBool());
    call("browser", "/org/freedesktop/ScreenSaver", "SimulateUserActivity");
    EXPECT_EQ(activity.size(), 1);
    QDBusConnection::disconnectFromBus("browser");
}

#include "screensaver_inhibitor_test.moc"
