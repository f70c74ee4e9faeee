#include "platform/registry/DBusScreenSaverInhibitor.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QThread>
#include <gtest/gtest.h>

using namespace lumera;

namespace {

// A screen-saver service of our own on the test's private session bus.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls;
    uint nextCookie = 41;
public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        calls.append("Inhibit " + application + " " + (reason.isEmpty() ? "-" : "reason"));
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { calls.append(QString("UnInhibit %1").arg(cookie)); }
};

// The service runs on its own connection in its own thread, as another program would.
class ServiceThread : public QThread {
public:
    FakeScreenSaver* service = nullptr;
    bool registered = false;
    void run() override {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "svc");
        FakeScreenSaver saver;
        registered = bus.isConnected() &&
                     bus.registerObject("/org/freedesktop/ScreenSaver", &saver,
                                        QDBusConnection::ExportAllSlots) &&
                     bus.registerService("org.freedesktop.ScreenSaver");
        service = &saver;
        exec();
        bus.unregisterService("org.freedesktop.ScreenSaver");
        service = nullptr;
    }
};

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

} // namespace

TEST(DBusScreenSaverInhibitor, InhibitsOnceAndReleasesWithItsCookie) {
    QCoreApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus";
    ServiceThread thread;
    thread.start();
    for (int i = 0; i < 100 && !thread.registered; ++i)
        QThread::msleep(20);
    ASSERT_TRUE(thread.registered);

    {
        DBusScreenSaverInhibitor inhibitor("Korvid");
        inhibitor.inhibit();
        inhibitor.inhibit(); // a second load keeps the one inhibition
        EXPECT_TRUE(inhibitor.inhibited());
        inhibitor.release();
        EXPECT_FALSE(inhibitor.inhibited());
        inhibitor.release();
        inhibitor.inhibit(); // held again when the object goes: released then
    }
    QThread::msleep(100);
    const QStringList calls = thread.service->calls;
    thread.quit();
    thread.wait();
    EXPECT_EQ(calls, QStringList({"Inhibit Korvid reason", "UnInhibit 42", "Inhibit Korvid reason",
                                  "UnInhibit 43"}));
}

TEST(DBusScreenSaverInhibitor, NoServiceIsNotAnError) {
    DBusScreenSaverInhibitor inhibitor("Korvid");
    inhibitor.inhibit();
    EXPECT_FALSE(inhibitor.inhibited());
    inhibitor.release();
}

#include "screensaver_inhibitor_test.moc"
