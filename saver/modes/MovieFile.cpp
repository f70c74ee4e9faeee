#include "saver/modes/MovieFile.h"

#include <QFile>
#include <QtEndian>

namespace lumera::saver {

namespace {

constexpr int kHeaderSize = 8;
// The smallest movie: the header, a one-byte frame rectangle, rate and frame count.
constexpr quint32 kSmallestMovie = kHeaderSize + 1 + 4;
// Far beyond anything the saver ships; a larger claim is a damaged or foreign file.
constexpr quint32 kLargestUnpacked = 256u * 1024 * 1024;

} // namespace

bool looksLikeMovieFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kHeaderSize);
    if (head.size() < kHeaderSize)
        return false;
    const char kind = head[0];
    if ((kind != 'F' && kind != 'C' && kind != 'Z') || head[1] != 'W' || head[2] != 'S')
        return false;
    const auto version = static_cast<quint8>(head[3]);
    if (version == 0 || version > 60)
        return false;
    const quint32 length = qFromLittleEndian<quint32>(head.constData() + 4);
    if (length < kSmallestMovie || length > kLargestUnpacked)
        return false;
    const qint64 size = file.size();
    if (kind == 'F')
        return size >= length;
    return size > static_cast<qint64>(kHeaderSize);
}

} // namespace lumera::saver
