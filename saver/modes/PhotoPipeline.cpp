#include "saver/modes/PhotoPipeline.h"

#include "saver/pixels/CDIB.h"

#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

namespace lumera::saver {

namespace {

// Megabytes QImageReader may allocate for one decoded picture.
constexpr int kDecodeAllocationLimitMb = 512;

bool swapsSides(QImageIOHandler::Transformations t) {
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace

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
    // The scaled size applies to the picture as stored, before it is turned upright.
    reader.setScaledSize(swapsSides(reader.transformation()) ? area.transposed() : area);
    QImage photo;
    if (!reader.read(&photo))
        return {};
    return photo;
}

QImage stretchToArea(const QImage& photo, QSize area) {
    if (area.isEmpty())
        return {};
    if (photo.size() == area && photo.format() == QImage::Format_RGB32)
        return photo;
    QImage picture(area, QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (!photo.isNull()) {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), area), photo);
    }
    return picture;
}

bool saveWorkBitmap(const QImage& picture, const QString& path) {
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&file, "BMP"))
        return false;
    return file.commit();
}

void loadPhotoIntoSurface(const QString& photoPath, QSize area, const QString& workBitmapPath,
                          QImage& imageL, QImage& picture2, CDIB& source) {
    const QImage photo = decodePhoto(photoPath, area);
    if (!photo.isNull())
        imageL = photo;
    picture2 = stretchToArea(imageL, area);
    saveWorkBitmap(picture2, workBitmapPath);
    QImage bitmap;
    if (bitmap.load(workBitmapPath, "BMP"))
        source.Clone(&bitmap);
}

} // namespace lumera::saver
