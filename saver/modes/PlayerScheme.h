#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace lumera::saver {

// The movie player page, the player's own files and the movie are served under an address
// scheme of ours: the player cannot load from file: addresses.
QByteArray playerSchemeName();

// Makes the scheme known to the engine. Call once, before the QApplication exists.
void registerPlayerScheme();

// Serves, read-only and only by GET:
//   lumera://saver/player/...   the player page, from <program folder>/player
//   lumera://saver/ruffle/...   the player's files, from <program folder>/ruffle
//   lumera://saver/movie        the one movie file it was last given
class PlayerSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    PlayerSchemeHandler(QString programFolder, QObject* parent);

    static QUrl pageUrl();
    // Serves the file as the movie from now on; returns an address for it that differs
    // from every earlier one, so no cached copy of an earlier movie is shown.
    QUrl publishMovie(const QString& path);

    // The file an address stands for, or empty when it is not one of ours.
    QString fileFor(const QUrl& url) const;

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QString programFolder_;
    QString movieFile_;
    int movieSerial_ = 0;
};

// The content type sent with a file: the player needs its .wasm as application/wasm.
QByteArray contentTypeFor(const QString& path);

} // namespace lumera::saver
