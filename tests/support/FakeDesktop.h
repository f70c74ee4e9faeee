#pragma once

#include "platform/desktop/Clock.h"
#include "platform/desktop/Desktop.h"
#include "platform/idle/ScreenSaverInhibitor.h"

#include <QStringList>

namespace lumera {

// Records every request instead of touching the machine. Tests read the lists.
class FakeDesktop : public Desktop {
public:
    bool openUrl(const QString& target) override {
        opened.append(target);
        return openSucceeds;
    }
    void shutdownNow() override { ++shutdowns; }
    void playSound(const QString& wavPath) override { sounds.append(wavPath); }
    bool monitorOff() override {
        ++monitorOffs;
        return monitorCanTurnOff;
    }
    void toggleMute() override { ++muteToggles; }
    QStringList driveRoots() override { return roots; }

    QStringList opened;
    QStringList sounds;
    int shutdowns = 0;
    int monitorOffs = 0;
    int muteToggles = 0;
    bool openSucceeds = true;
    bool monitorCanTurnOff = true;
    QStringList roots{"/", "/home/user"};
};

class FakeInhibitor : public ScreenSaverInhibitor {
public:
    void hold(const QList<QWindow*>& windows) override {
        shown = windows;
        held = !windows.isEmpty();
    }
    bool inhibited() const override { return held; }

    QList<QWindow*> shown;
    bool held = false;
};

// A clock that says what the test sets.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(9, 0)))
        : time(std::move(start)) {}
    QDateTime now() const override { return time; }
    QDateTime time;
};

} // namespace lumera
