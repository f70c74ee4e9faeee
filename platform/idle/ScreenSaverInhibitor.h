#pragma once

#include <QList>

class QWindow;

namespace lumera {

// One way of keeping the desktop's screen saver, idle lock and idle actions away while the
// user watches Korvid's main windows.
class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // Told the main windows on screen at every change: held while there is one, released when
    // there is none. Telling the same again changes nothing.
    virtual void hold(const QList<QWindow*>& windows) = 0;
    virtual bool inhibited() const = 0;
};

} // namespace lumera
