// The photo load of one fade cycle, done once per photo inside a 100 ms tick: decode a
// 4000 × 3000 JPEG scaled to the picture area, stretch, write and read back the work bitmap,
// and fill the source surface of a 1920 × 1160 surface (a 1920 × 1080 screen).
#include "saver/modes/PhotoPipeline.h"
#include "saver/pixels/CDIB.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace lumera::saver;

// A camera-like photo: smooth shapes with fine grain, so that it compresses like one.
QString makePhoto(const QString& folder) {
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, 3000);
    sky.setColorAt(0, QColor(40, 90, 200));
    sky.setColorAt(1, QColor(230, 160, 60));
    painter.fillRect(photo.rect(), sky);
    painter.setBrush(QColor(30, 120, 40));
    painter.drawEllipse(QPoint(2000, 3200), 2600, 1200);
    painter.end();
    std::mt19937 gen(3);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int n = int(gen() % 17) - 8;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255),
                           qBound(0, qBlue(p) + n, 255));
        }
    }
    const QString path = folder + "/photo.jpg";
    photo.save(path, "JPG", 90);
    return path;
}

void BM_PhotoLoad(benchmark::State& state) {
    QTemporaryDir folder;
    const QString photo = makePhoto(folder.path());
    const SurfaceSize size{1920, 1160};
    const QSize area(1920, 1085); // the picture area of a 1920 × 1080 screen
    CDIB source(size);
    QImage imageL, picture2;
    for (auto _ : state) {
        loadPhotoIntoSurface(photo, area, folder.path() + "/music.bmp", imageL, picture2, source);
        benchmark::DoNotOptimize(source.lpRGB);
    }
    if (!source.lpRGB)
        state.SkipWithError("the photo did not load");
}
// Processor time: on a shared machine the wall clock mostly measures the other programs.
BENCHMARK(BM_PhotoLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DecodeOnly(benchmark::State& state) {
    QTemporaryDir folder;
    const QString photo = makePhoto(folder.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePhoto(photo, QSize(1920, 1085)));
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);

void BM_BitmapRoundTrip(benchmark::State& state) {
    QTemporaryDir folder;
    QImage picture(1920, 1085, QImage::Format_RGB32);
    picture.fill(QColor(120, 80, 40));
    const QString path = folder.path() + "/music.bmp";
    for (auto _ : state) {
        saveWorkBitmap(picture, path);
        QImage back;
        back.load(path, "BMP");
        benchmark::DoNotOptimize(back.constBits());
    }
}
BENCHMARK(BM_BitmapRoundTrip)->Unit(benchmark::kMillisecond);

void BM_CloneIntoSurface(benchmark::State& state) {
    const SurfaceSize size{1920, 1160};
    CDIB source(size);
    QImage picture(1920, 1085, QImage::Format_RGB32);
    picture.fill(QColor(120, 80, 40));
    for (auto _ : state) {
        source.Clone(&picture);
        benchmark::DoNotOptimize(source.lpRGB);
    }
}
BENCHMARK(BM_CloneIntoSurface)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
