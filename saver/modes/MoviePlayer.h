#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace lumera::saver {

// The saver's movie player control (Flash): the four operations the movie modes use.
class MoviePlayer {
public:
    virtual ~MoviePlayer() = default;

    // The widget to place in the saver window.
    virtual QWidget* widget() = 0;

    // BackgroundColor: the colour around and behind the movie, 0xRRGGBB.
    virtual void setBackgroundColor(quint32 colour) = 0;
    // Movie: the full path of the file to play; a file that is no movie leaves the background.
    virtual void setMovie(const QString& path) = 0;
    virtual void play() = 0;
    virtual void setVisible(bool visible) = 0;
};

// Makes the saver window's movie player; the player belongs to the parent widget and goes
// with it.
class MoviePlayerFactory {
public:
    virtual ~MoviePlayerFactory() = default;
    virtual MoviePlayer* create(QWidget* parent) = 0;
};

} // namespace lumera::saver
