#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtGlobal>
#include <functional>

namespace lumera::saver {

// Turns the player operations into calls on the player page's window.lumeraPlayer. Calls
// made before the page is ready wait, in order, until it is.
class PlayerBridge {
public:
    using ScriptRunner = std::function<void(const QString& script)>;
    explicit PlayerBridge(ScriptRunner run) : run_(std::move(run)) {}

    void setBackgroundColor(quint32 colour);
    // An empty address shows the background alone.
    void load(const QUrl& movie);
    void play();

    // The page has loaded: what waited runs now, and later calls run at once.
    void pageReady();
    bool ready() const { return ready_; }

private:
    void call(const QString& function, const QString& argument = {});

    ScriptRunner run_;
    bool ready_ = false;
    QStringList waiting_;
};

// 0xRRGGBB as a CSS colour, "#rrggbb".
QString cssColour(quint32 colour);

} // namespace lumera::saver
