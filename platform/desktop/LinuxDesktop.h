#pragma once

#include "platform/desktop/Desktop.h"

#include <memory>

class QSoundEffect;
class QUrl;

namespace lumera {

class MonitorSwitch;

// The real desktop: QDesktopServices, QProcess, Qt Multimedia, the sound server's
// command-line tools, and the monitor switch it is given.
class LinuxDesktop : public Desktop {
public:
    explicit LinuxDesktop(std::unique_ptr<MonitorSwitch> monitor);
    ~LinuxDesktop() override;

    bool openUrl(const QString& target) override;
    void shutdownNow() override;
    void playSound(const QString& wavPath) override;
    bool monitorOff() override;
    void toggleMute() override;
    QStringList driveRoots() override;

private:
    std::unique_ptr<QSoundEffect> sound_;
    std::unique_ptr<MonitorSwitch> monitor_;
};

// Turns an address or a local path into what QDesktopServices opens.
QUrl shellTarget(const QString& target);

} // namespace lumera
