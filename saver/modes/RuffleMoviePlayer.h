#pragma once

#include "saver/modes/MoviePlayer.h"
#include "saver/modes/PlayerBridge.h"

#include <QObject>

class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace lumera::saver {

class PlayerSchemeHandler;

// The movie player: the Ruffle player on a page of ours in a web view. The page and Ruffle's
// files come from the program folder's player/ and ruffle/ through our address scheme.
class RuffleMoviePlayer : public QObject, public MoviePlayer {
    Q_OBJECT
public:
    // The profile must outlive the player; the scheme handler is installed on it.
    RuffleMoviePlayer(QWebEngineProfile* profile, const QString& programFolder, QWidget* parent);
    ~RuffleMoviePlayer() override;

    QWidget* widget() override;
    void setBackgroundColor(quint32 colour) override;
    void setMovie(const QString& path) override;
    void play() override;
    void setVisible(bool visible) override;

    QWebEngineView* view() const { return view_; }
    bool pageReady() const { return bridge_.ready(); }

signals:
    // The player page has loaded and takes calls.
    void ready();

private:
    QWebEngineProfile* profile_;
    PlayerSchemeHandler* handler_;
    QWebEngineView* view_;
    QWebEnginePage* page_;
    PlayerBridge bridge_;
    QMetaObject::Connection viewGone_;
};

// Players on the program's shared web profile of that name.
class RuffleMoviePlayerFactory : public MoviePlayerFactory {
public:
    RuffleMoviePlayerFactory(QString profileName, QString programFolder)
        : profileName_(std::move(profileName)), programFolder_(std::move(programFolder)) {}
    MoviePlayer* create(QWidget* parent) override;

private:
    QString profileName_;
    QString programFolder_;
};

} // namespace lumera::saver
