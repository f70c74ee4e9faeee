#pragma once

#include "platform/desktop/Desktop.h"

#include <memory>

class QSoundEffect;
class QUrl;

namespace lumera {

class MonitorPower;

// The real desktop: QDesktopServices, QProcess, Qt Multimedia, X11 DPMS and the sound
// server's command-line tools.
class LinuxDesktop : public Desktop {
public:
    LinuxDesktop();
    ~LinuxDesktop() override;

    bool openUrl(const QString& target) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    void shutdownNow() override;
    void playSound(const QString& wavPath) override;
    void monitorOff() override;
    void toggleMute() override;
    QStringList driveRoots() override;

private:
    std::unique_ptr<QSoundEffect> sound_;
    std::unique_ptr<MonitorPower> monitor_;
};

// Turns an address or a local path into what QDesktopServices opens.
QUrl shellTarget(const QString& target);

} // namespace lumera
