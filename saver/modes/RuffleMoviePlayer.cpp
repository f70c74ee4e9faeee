#include "saver/modes/RuffleMoviePlayer.h"

#include "platform/web/WebEngineProfile.h"
#include "saver/modes/MovieFile.h"
#include "saver/modes/PlayerScheme.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace lumera::saver {

RuffleMoviePlayer::RuffleMoviePlayer(QWebEngineProfile* profile, const QString& programFolder,
                                     QWidget* parent)
    : QObject(nullptr), profile_(profile), handler_(new PlayerSchemeHandler(programFolder, this)),
      view_(new QWebEngineView(parent)), page_(new QWebEnginePage(profile, this)),
      bridge_([this](const QString& script) { page_->runJavaScript(script); }) {
    if (const QWebEngineUrlSchemeHandler* installed =
            profile_->urlSchemeHandler(playerSchemeName())) {
        profile_->removeUrlSchemeHandler(const_cast<QWebEngineUrlSchemeHandler*>(installed));
    }
    profile_->installUrlSchemeHandler(playerSchemeName(), handler_);

    QWebEngineSettings* settings = page_->settings();
    // Sound starts with the movie, without a click.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    page_->setBackgroundColor(Qt::black);

    view_->setObjectName(QStringLiteral("Flash"));
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    view_->setPage(page_);
    // The player goes with its widget, as a control goes with its form.
    viewGone_ = connect(view_, &QObject::destroyed, [this] {
        view_ = nullptr;
        delete this;
    });
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok && !bridge_.ready()) {
            bridge_.pageReady();
            emit ready();
        }
    });
    page_->load(PlayerSchemeHandler::pageUrl());
}

RuffleMoviePlayer::~RuffleMoviePlayer() {
    if (view_) {
        disconnect(viewGone_);
        view_->setPage(nullptr);
        delete view_;
    }
    // The page before the handler, so no request reaches a handler that is gone.
    delete page_;
    profile_->removeUrlSchemeHandler(handler_);
}

QWidget* RuffleMoviePlayer::widget() {
    return view_;
}

void RuffleMoviePlayer::setBackgroundColor(quint32 colour) {
    page_->setBackgroundColor(QColor::fromRgb(colour & 0xFFFFFFu));
    bridge_.setBackgroundColor(colour);
}

void RuffleMoviePlayer::setMovie(const QString& path) {
    // A file that is no movie is not handed to the player at all: the background stays.
    bridge_.load(looksLikeMovieFile(path) ? handler_->publishMovie(path) : QUrl());
}

void RuffleMoviePlayer::play() {
    bridge_.play();
}

void RuffleMoviePlayer::setVisible(bool visible) {
    if (view_)
        view_->setVisible(visible);
}

MoviePlayer* RuffleMoviePlayerFactory::create(QWidget* parent) {
    return new RuffleMoviePlayer(sharedWebProfile(profileName_), programFolder_, parent);
}

} // namespace lumera::saver
