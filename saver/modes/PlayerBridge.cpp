#include "saver/modes/PlayerBridge.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace lumera::saver {

namespace {

// A text as a JavaScript string literal.
QString jsString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

QString cssColour(quint32 colour) {
    return QStringLiteral("#%1").arg(colour & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

void PlayerBridge::setBackgroundColor(quint32 colour) {
    call(QStringLiteral("setBackground"), jsString(cssColour(colour)));
}

void PlayerBridge::load(const QUrl& movie) {
    call(QStringLiteral("load"), jsString(movie.toString(QUrl::FullyEncoded)));
}

void PlayerBridge::play() {
    call(QStringLiteral("play"));
}

void PlayerBridge::pageReady() {
    ready_ = true;
    const QStringList scripts = std::exchange(waiting_, {});
    for (const QString& script : scripts)
        run_(script);
}

void PlayerBridge::call(const QString& function, const QString& argument) {
    const QString script = QStringLiteral("window.lumeraPlayer && window.lumeraPlayer.%1(%2);")
                               .arg(function, argument);
    if (ready_)
        run_(script);
    else
        waiting_.append(script);
}

} // namespace lumera::saver
