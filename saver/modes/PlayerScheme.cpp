#include "saver/modes/PlayerScheme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace lumera::saver {

namespace {

const QString kHost = QStringLiteral("saver");
const QString kMoviePath = QStringLiteral("/movie");

// A path below a folder of ours, or empty when the path leaves it.
QString fileBelow(const QString& folder, const QString& relative) {
    const QString root = QDir::cleanPath(folder);
    const QString candidate = QDir::cleanPath(root + '/' + relative);
    if (!candidate.startsWith(root + '/'))
        return {};
    return candidate;
}

} // namespace

QByteArray playerSchemeName() {
    return QByteArrayLiteral("lumera");
}

void registerPlayerScheme() {
    QWebEngineUrlScheme scheme(playerSchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

PlayerSchemeHandler::PlayerSchemeHandler(QString programFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), programFolder_(std::move(programFolder)) {}

QUrl PlayerSchemeHandler::pageUrl() {
    QUrl url;
    url.setScheme(QString::fromLatin1(playerSchemeName()));
    url.setHost(kHost);
    url.setPath(QStringLiteral("/player/index.html"));
    return url;
}

QUrl PlayerSchemeHandler::publishMovie(const QString& path) {
    movieFile_ = path;
    QUrl url = pageUrl();
    url.setPath(kMoviePath);
    url.setQuery(QStringLiteral("n=%1").arg(++movieSerial_));
    return url;
}

QString PlayerSchemeHandler::fileFor(const QUrl& url) const {
    if (url.scheme() != QString::fromLatin1(playerSchemeName()) || url.host() != kHost)
        return {};
    const QString path = url.path(QUrl::FullyDecoded);
    if (path == kMoviePath)
        return movieFile_;
    for (const QString& mount : {QStringLiteral("player"), QStringLiteral("ruffle")}) {
        const QString prefix = '/' + mount + '/';
        if (path.startsWith(prefix))
            return fileBelow(programFolder_ + '/' + mount, path.mid(prefix.size()));
    }
    return {};
}

void PlayerSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = fileFor(job->requestUrl());
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    // The engine reads the file as it needs it and the job owns it, so a large movie is
    // never held in this process.
    auto* file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const bool movie = job->requestUrl().path() == kMoviePath;
    job->reply(movie ? QByteArrayLiteral("application/x-shockwave-flash") : contentTypeFor(path),
               file);
}

QByteArray contentTypeFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "html" || suffix == "htm")
        return "text/html";
    if (suffix == "js")
        return "text/javascript";
    if (suffix == "wasm")
        return "application/wasm";
    if (suffix == "css")
        return "text/css";
    if (suffix == "json" || suffix == "map")
        return "application/json";
    if (suffix == "swf")
        return "application/x-shockwave-flash";
    return "application/octet-stream";
}

} // namespace lumera::saver
