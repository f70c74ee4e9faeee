#include "saver/modes/PhotoPipeline.h"

#include "saver/pixels/CDIB.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <cstring>
#include <limits>

namespace lumera::saver {

namespace {

// Megabytes QImageReader may allocate for one decoded picture.
constexpr int kDecodeAllocationLimitMb = 512;
constexpr int kBitmapHeaderBytes = 14 + 40;

// The work bitmap is scratch, rewritten for every photo: it is replaced whole (written beside
// it, then renamed over it), but not forced to disk, which took longer than the rest of the
// load. Unbuffered, so that a short write shows and no cut file takes its place.
bool replaceScratchFile(const QString& path, const QByteArray& bytes) {
    const QString temporary = path + ".new";
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (!written || std::rename(QFile::encodeName(temporary).constData(),
                                QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

bool swapsSides(QImageIOHandler::Transformations t) {
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace

QSize decodeSize(QSize stored, QSize area) {
    // The decoder shrinks by 2, 4 or 8 almost for free; any finer step is left to the stretch.
    int divisor = 1;
    while (divisor < 8 && stored.width() / (divisor * 2) >= area.width() &&
           stored.height() / (divisor * 2) >= area.height())
        divisor *= 2;
    return {stored.width() / divisor, stored.height() / divisor};
}

QImage decodePhoto(const QString& path, QSize area) {
    if (area.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAllocationLimit(kDecodeAllocationLimitMb);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty() ||
        qint64(stored.width()) * stored.height() > kMaxPhotoPixels)
        return {};
    reader.setAutoTransform(true);
    // The fast integer transform of the decoder: the photo is shrunk to the screen anyway.
    reader.setQuality(49);
    // The size applies to the picture as stored, before it is turned upright.
    const bool turned = swapsSides(reader.transformation());
    const QSize decoded = decodeSize(stored, turned ? area.transposed() : area);
    if (decoded != stored)
        reader.setScaledSize(decoded);
    QImage photo;
    if (!reader.read(&photo))
        return {};
    return photo;
}

bool stretchesOver(QSize photo, QSize area) {
    if (photo.isEmpty() || area.isEmpty())
        return false;
    // Compared as photo.w * area.h against area.w * photo.h, each at most 1.25 times the other.
    const qint64 photoSide = qint64(photo.width()) * area.height();
    const qint64 areaSide = qint64(area.width()) * photo.height();
    return 4 * photoSide <= 5 * areaSide && 4 * areaSide <= 5 * photoSide;
}

QImage fitToArea(const QImage& photo, QSize area) {
    if (area.isEmpty())
        return {};
    QImage picture;
    if (photo.isNull() || !stretchesOver(photo.size(), area)) {
        picture = QImage(area, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
    if (photo.isNull())
        return picture;
    if (picture.isNull()) {
        picture = photo.size() == area
                      ? photo
                      : photo.scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        const QImage whole = photo.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&picture);
        painter.drawImage((area.width() - whole.width()) / 2, (area.height() - whole.height()) / 2,
                          whole);
    }
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    return picture;
}

bool saveWorkBitmap(const QImage& picture, const QString& path) {
    if (picture.isNull())
        return false;
    const QImage bgr = picture.convertToFormat(QImage::Format_BGR888);
    const qint64 width = bgr.width();
    const qint64 height = bgr.height();
    const qint64 rowBytes = (width * 3 + 3) & ~3LL;
    const qint64 fileBytes = kBitmapHeaderBytes + rowBytes * height;
    if (fileBytes > std::numeric_limits<std::int32_t>::max())
        return false;

    // An uncompressed 24-bit Windows bitmap: file header, info header, rows bottom-up.
    QByteArray bytes(fileBytes, '\0');
    char* out = bytes.data();
    const auto put16 = [&out](int at, std::uint16_t v) { qToLittleEndian(v, out + at); };
    const auto put32 = [&out](int at, std::uint32_t v) { qToLittleEndian(v, out + at); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, std::uint32_t(fileBytes));
    put32(10, kBitmapHeaderBytes);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, std::uint32_t(rowBytes * height));
    put32(38, 2835); // 72 dots per inch
    put32(42, 2835);
    for (qint64 y = 0; y < height; ++y)
        std::memcpy(out + kBitmapHeaderBytes + (height - 1 - y) * rowBytes,
                    bgr.constScanLine(int(y)), std::size_t(width * 3));

    return replaceScratchFile(path, bytes);
}

void loadPhotoIntoSurface(const QString& photoPath, QSize area, const QString& workBitmapPath,
                          QImage& imageL, QImage& picture2, CDIB& source) {
    const QImage photo = decodePhoto(photoPath, area);
    if (!photo.isNull())
        imageL = photo;
    picture2 = fitToArea(imageL, area);
    saveWorkBitmap(picture2, workBitmapPath);
    QImage bitmap;
    if (bitmap.load(workBitmapPath, "BMP"))
        source.Clone(&bitmap);
}

} // namespace lumera::saver
