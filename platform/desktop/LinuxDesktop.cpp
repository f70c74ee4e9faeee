#include "platform/desktop/LinuxDesktop.h"

#include "platform/screen/MonitorSwitch.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

namespace lumera {

QUrl shellTarget(const QString& target) {
    const QString trimmed = target.trimmed();
    if (trimmed.startsWith('/') || QFileInfo(trimmed).isAbsolute())
        return QUrl::fromLocalFile(trimmed);
    const QUrl url(trimmed);
    if (url.isValid() && !url.scheme().isEmpty())
        return url;
    return QUrl::fromUserInput(trimmed);
}

LinuxDesktop::LinuxDesktop(std::unique_ptr<MonitorSwitch> monitor) : monitor_(std::move(monitor)) {}

LinuxDesktop::~LinuxDesktop() = default;

bool LinuxDesktop::openUrl(const QString& target) {
    const QUrl url = shellTarget(target);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

void LinuxDesktop::shutdownNow() {
    QProcess::startDetached("systemctl", {"poweroff"});
}

void LinuxDesktop::playSound(const QString& wavPath) {
    if (!QFileInfo::exists(wavPath))
        return;
    if (!sound_)
        sound_ = std::make_unique<QSoundEffect>();
    sound_->stop();
    sound_->setSource(QUrl::fromLocalFile(wavPath));
    sound_->play();
}

bool LinuxDesktop::monitorOff() {
    return monitor_->turnOff();
}

void LinuxDesktop::toggleMute() {
    // PulseAudio's and PipeWire's own tools; whichever is installed does it.
    if (!QStandardPaths::findExecutable("pactl").isEmpty()) {
        QProcess::startDetached("pactl", {"set-sink-mute", "@DEFAULT_SINK@", "toggle"});
        return;
    }
    if (!QStandardPaths::findExecutable("wpctl").isEmpty())
        QProcess::startDetached("wpctl", {"set-mute", "@DEFAULT_AUDIO_SINK@", "toggle"});
}

QStringList LinuxDesktop::driveRoots() {
    QStringList roots{"/", QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (roots.size() >= 6)
            break;
        const QString path = volume.rootPath();
        // Removable media are mounted below /media or /run/media by the desktop.
        if ((path.startsWith("/media/") || path.startsWith("/run/media/")) &&
            !roots.contains(path) && volume.isReady())
            roots.append(path);
    }
    return roots;
}

} // namespace lumera
