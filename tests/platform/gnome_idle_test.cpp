#include "platform/idle/GnomeIdleSource.h"
#include "platform/idle/GnomeSessionInhibition.h"
#include "platform/screen/MutterMonitorPower.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace lumera;
using namespace std::chrono_literals;

namespace {

// GNOME's idle monitor and session manager as far as the idle starter asks them.
class FakeGnome : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")
public:
    QStringList calls;
    bool inhibited = false;
public slots:
    uint AddIdleWatch(qulonglong interval) {
        calls.append(QString("AddIdleWatch %1").arg(interval));
        return 7;
    }
    uint AddUserActiveWatch() {
        calls.append("AddUserActiveWatch");
        return 8;
    }
};

class Session : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public:
    FakeGnome* gnome = nullptr;
public slots:
    bool IsInhibited(uint flags) { return flags == 8 && gnome->inhibited; }
};

// Mutter's display configuration: the monitors' power.
class DisplayConfig : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.DisplayConfig")
    Q_PROPERTY(int PowerSaveMode MEMBER powerSaveMode)
public:
    int powerSaveMode = 0;
};

// On a connection of its own in its own thread, as GNOME's would be.
class GnomeThread : public QThread {
public:
    FakeGnome* gnome = nullptr;
    DisplayConfig* displayConfig = nullptr;
    bool registered = false;
    // The shell starts again as `--replace` starts it: a new owner takes the monitor's name
    // straight from the old one.
    void restartShell() {
        QMetaObject::invokeMethod(gnome, [this] {
            QDBusConnection bus =
                QDBusConnection::connectToBus(QDBusConnection::SessionBus, "new shell");
            bus.registerObject("/org/gnome/Mutter/IdleMonitor/Core", gnome,
                               QDBusConnection::ExportAllSlots);
            bus.interface()->registerService("org.gnome.Mutter.IdleMonitor",
                                             QDBusConnectionInterface::ReplaceExistingService);
        });
    }
    void fire(uint id) {
        QMetaObject::invokeMethod(gnome, [id] {
            QDBusMessage signal = QDBusMessage::createSignal(
                "/org/gnome/Mutter/IdleMonitor/Core", "org.gnome.Mutter.IdleMonitor", "WatchFired");
            signal << id;
            QDBusConnection(QStringLiteral("gnome")).send(signal);
        });
    }
    void run() override {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "gnome");
        FakeGnome monitor;
        Session session;
        session.gnome = &monitor;
        DisplayConfig display;
        displayConfig = &display;
        registered = bus.registerObject("/org/gnome/Mutter/IdleMonitor/Core", &monitor,
                                        QDBusConnection::ExportAllSlots) &&
                     bus.registerObject("/org/gnome/SessionManager", &session,
                                        QDBusConnection::ExportAllSlots) &&
                     bus.interface()
                             ->registerService("org.gnome.Mutter.IdleMonitor",
                                               QDBusConnectionInterface::DontQueueService,
                                               QDBusConnectionInterface::AllowReplacement)
                             .value() == QDBusConnectionInterface::ServiceRegistered &&
                     bus.registerObject("/org/gnome/Mutter/DisplayConfig", &display,
                                        QDBusConnection::ExportAllProperties) &&
                     bus.registerService("org.gnome.SessionManager") &&
                     bus.registerService("org.gnome.Mutter.DisplayConfig");
        gnome = &monitor;
        exec();
        gnome = nullptr;
        QDBusConnection::disconnectFromBus("new shell");
    }
};

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

} // namespace

// Also the monitors' power-save mode that the monitor command sets.
TEST(GnomeIdle, WatchesTheIdleTimeThenTheReturnAndAsksTheSessionForInhibitions) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no session bus";
    EXPECT_FALSE(GnomeIdleSource::available(bus));
    GnomeSessionInhibition inhibition(bus);
    EXPECT_FALSE(inhibition.inhibited()); // no session manager: nothing inhibits
    MutterMonitorPower monitors(bus);
    EXPECT_FALSE(monitors.turnOff()); // no Mutter: another way, or a word to the user
    GnomeThread thread;
    thread.start();
    for (int i = 0; i < 100 && !thread.registered; ++i)
        QThread::msleep(20);
    ASSERT_TRUE(thread.registered);

    ASSERT_TRUE(GnomeIdleSource::available(bus));
    GnomeIdleSource source(bus);
    QStringList told;
    QObject::connect(&source, &IdleSource::idled, [&] { told.append("idled"); });
    QObject::connect(&source, &IdleSource::resumed, [&] { told.append("resumed"); });
    ASSERT_TRUE(source.watch(90s));
    thread.fire(8); // another program's watch, and ours before it is set
    thread.fire(7);
    thread.fire(8);
    thread.fire(8); // fired once only: gone
    QTRY_COMPARE(told, QStringList({"idled", "resumed"}));
    EXPECT_EQ(thread.gnome->calls, QStringList({"AddIdleWatch 90000", "AddUserActiveWatch"}));
    thread.fire(7);
    QTRY_COMPARE(told.size(), 3);
    // The watches went with the old shell: set up again with the new one, the period over.
    thread.restartShell();
    QTRY_COMPARE(thread.gnome->calls.size(), 4);
    EXPECT_EQ(thread.gnome->calls.last(), "AddIdleWatch 90000");
    EXPECT_EQ(told.last(), "resumed");
    thread.gnome->inhibited = true;
    EXPECT_TRUE(inhibition.inhibited());
    EXPECT_TRUE(monitors.turnOff());
    EXPECT_EQ(thread.displayConfig->powerSaveMode, 3); // off
    thread.quit();
    thread.wait();
}

#include "gnome_idle_test.moc"
