// The photos in the user's picture folder: any file. The first two input bytes choose a small
// area, the rest is the photo file. Decoding stays within its pixel bound, the stretch fills
// exactly the area, and the work bitmap reaches the surface pixel for pixel.
#include "FuzzSupport.h"
#include "saver/modes/PhotoPipeline.h"
#include "saver/pixels/CDIB.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <cstdint>
#include <cstdio>

using namespace lumera::fuzz;
using namespace lumera::saver;

namespace {

// The decoder shrinks by the largest of 1, 2, 4, 8 that keeps both sides at least the area.
void checkDecodeSize(QSize stored, QSize area) {
    const QSize decoded = decodeSize(stored, area);
    int divisor = 1;
    while (divisor < 8 && stored.width() / divisor != decoded.width())
        divisor *= 2;
    require(decoded == QSize(stored.width() / divisor, stored.height() / divisor));
    if (divisor > 1)
        require(decoded.width() >= area.width() && decoded.height() >= area.height());
    if (divisor < 8)
        require(decoded.width() / 2 < area.width() || decoded.height() / 2 < area.height());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The image plugins come from the Qt installation; without the JPEG one every input would
    // only exercise the refusal.
    static QCoreApplication app(*argc, *argv);
    if (!QImageReader::supportedImageFormats().contains("jpeg")) {
        std::fprintf(stderr, "the Qt JPEG image plugin was not found\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const QSize area(1 + data[0] % 64, 1 + data[1] % 48);
    const QByteArray file(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    if (file.size() >= 4)
        checkDecodeSize(QSize(1 + std::uint8_t(file[0]) * 64 + std::uint8_t(file[1]),
                              1 + std::uint8_t(file[2]) * 64 + std::uint8_t(file[3])),
                        area);

    writeScratchFile("photo.jpg", file);
    // One photo load of the fade: the previous photo stays when this one cannot be decoded.
    QImage imageL(3, 2, QImage::Format_RGB32);
    imageL.fill(Qt::red);
    QImage picture2;
    const SurfaceSize surfaceSize{area.width(), area.height()};
    CDIB source(surfaceSize);
    loadPhotoIntoSurface(scratchFile("photo.jpg"), area, scratchFile("music.bmp"), imageL, picture2,
                         source);
    require(!imageL.isNull() && qint64(imageL.width()) * imageL.height() <= kMaxPhotoPixels);
    require(picture2.size() == area && picture2.format() == QImage::Format_RGB32);

    // The work bitmap went through the file into the surface pixel for pixel.
    require(source.lpRGB && source.header.biWidth == area.width() &&
            source.header.biHeight == area.height());
    for (int y = 0; y < area.height(); ++y) {
        const std::uint8_t* row =
            source.lpRGB + std::size_t(area.height() - 1 - y) * source.stride();
        for (int x = 0; x < area.width(); ++x)
            require(qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]) == picture2.pixel(x, y));
    }

    // Without a photo the work picture is black.
    const QImage black = fitToArea(QImage(), area);
    require(black.size() == area);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            require(black.pixel(x, y) == qRgb(0, 0, 0));
    return 0;
}
