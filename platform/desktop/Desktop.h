#pragma once

#include <QString>
#include <QStringList>

namespace lumera {

// Everything the programs do to the user's desktop beyond their own windows and files.
// The real implementation is made in main(); tests hand down FakeDesktop.
class Desktop {
public:
    virtual ~Desktop() = default;

    // The shell's "open": a web or mailto: address in the user's programs, a file or folder
    // in its default application. Returns false where nothing could take it.
    virtual bool openUrl(const QString& target) = 0;
    // Powers the computer off at once, with no question asked.
    virtual void shutdownNow() = 0;
    // Plays a WAV file without waiting; no file or no audio device plays nothing.
    virtual void playSound(const QString& wavPath) = 0;
    // Turns the monitors off until the next key press or pointer move. False where the
    // desktop offers no way to do it.
    virtual bool monitorOff() = 0;
    // Toggles the mute of the default audio output. Nothing happens where there is none.
    virtual void toggleMute() = 0;
    // The folders the "My Computer" menu offers: the root folder, the home folder and the
    // mounted removable volumes, at most six.
    virtual QStringList driveRoots() = 0;
};

} // namespace lumera
