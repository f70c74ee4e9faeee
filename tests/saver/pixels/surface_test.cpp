#include "saver/pixels/CDIB.h"
#include "saver/pixels/SurfaceSize.h"
#include "tests/saver/SaverTestApp.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace lumera::saver;

namespace {

// The bytes of the pixel at (x, y) counted from the top of the picture.
const std::uint8_t* pixelAt(const CDIB& dib, int x, int y) {
    return dib.lpRGB + std::size_t(dib.header.biHeight - 1 - y) * dib.stride() + 3 * x;
}

} // namespace

TEST(SurfaceSize, FixedFifteenTwipsPerPixelAndEightyRowsMore) {
    const SurfaceSize xga = surfaceSizeFromTwips(15360, 11520);
    EXPECT_EQ(xga.ScreenWidthPx, 1024);
    EXPECT_EQ(xga.ScreenHeightPx, 848);
    // A display with 12 twips per pixel: 1280 pixels are 15360 twips, still 1024 wide.
    EXPECT_EQ(surfaceSizeFromTwips(1280 * 12, 1024 * 12).ScreenWidthPx, 1024);
    // Halves go to even: 7.5 pixels give 8, 8.5 give 8.
    EXPECT_EQ(surfaceSizeFromTwips(112.5, 0).ScreenWidthPx, 8);
    EXPECT_EQ(surfaceSizeFromTwips(127.5, 0).ScreenWidthPx, 8);
}

TEST(Surface, ShowsThePicturePutIntoItPixelForPixelUntilItIsLetGo) {
    lumera::test::saverFormTestApp();
    const SurfaceSize size{5, 3}; // rows that need padding
    CDIB dib(size);
    QImage shown(5, 3, QImage::Format_RGB32), pic(5, 3, QImage::Format_RGB32);
    const auto paint = [&] {
        shown.fill(Qt::white);
        QPainter painter(&shown);
        dib.Paint(painter, 0, 0);
    };
    dib.Clone(nullptr);
    paint();
    pic.fill(Qt::black);
    EXPECT_TRUE(shown == pic); // a fresh surface is black
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            pic.setPixel(x, y, qRgb(50 * x, 100 * y, 10 + x + 5 * y));
    dib.Clone(&pic);
    EXPECT_EQ(dib.RGBSize(), 15); // what a fade step goes through
    paint();
    EXPECT_TRUE(shown == pic);
    dib.Class_Terminate();
    paint();
    EXPECT_EQ(shown.pixel(2, 1), qRgb(255, 255, 255));
}

TEST(Surface, CloneOfASmallerPictureLeavesTheRestBlackAndCutsOffTheExcess) {
    const SurfaceSize size{8, 6};
    CDIB dib(size);
    QImage white(8, 6, QImage::Format_RGB32);
    white.fill(Qt::white);
    dib.Clone(&white);
    QImage red(3, 20, QImage::Format_RGB32); // narrower and much taller
    red.fill(Qt::red);
    dib.Clone(&red);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t* p = pixelAt(dib, x, y);
            const bool covered = x < 3;
            EXPECT_EQ(p[2], covered ? 255 : 0) << x << "," << y;
            EXPECT_EQ(p[0], 0);
        }
}

TEST(Surface, PaintDrawsTheWholeSurfaceUprightIncludingTheExtraRows) {
    lumera::test::saverFormTestApp();
    const SurfaceSize size{6, 4};
    CDIB dib(size);
    QImage pic(6, 2, QImage::Format_RGB32);
    pic.fill(Qt::blue);
    pic.setPixel(0, 0, qRgb(255, 0, 0));
    dib.Clone(&pic);
    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        dib.Paint(painter, 2, 1);
    }
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(7, 2), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(7, 4), qRgb(0, 0, 0)); // rows below the picture: black
    EXPECT_EQ(target.pixel(7, 5), qRgb(255, 255, 255));
}

TEST(Surface, PaintGivesTheSamePixelsAsAnUprightCopyDrawnWithEveryKindOfPainter) {
    lumera::test::saverFormTestApp();
    const SurfaceSize size{37, 23}; // rows with padding and a tail the wide steps leave
    CDIB dib(size);
    dib.Clone(nullptr);
    std::uint32_t x = 12345;
    for (std::uint32_t i = 0; i < dib.header.biSizeImage; ++i)
        dib.lpRGB[i] = std::uint8_t((x = x * 1103515245u + 12345u) >> 16);
    const QImage upright =
        QImage(dib.lpRGB, 37, 23, dib.stride(), QImage::Format_BGR888).mirrored(false, true);

    struct Case {
        const char* name;
        QImage::Format format;
        QPoint at;
        std::function<void(QPainter&)> setUp;
    };
    const std::vector<Case> cases{
        {"straight", QImage::Format_RGB32, {3, 2}, [](QPainter&) {}},
        {"partly outside", QImage::Format_ARGB32_Premultiplied, {-5, 30}, [](QPainter&) {}},
        {"all outside", QImage::Format_RGB32, {-40, 45}, [](QPainter&) {}},
        {"moved", QImage::Format_RGB32, {0, 0}, [](QPainter& p) { p.translate(4, -3); }},
        {"clipped", QImage::Format_RGB32, {1, 1}, [](QPainter& p) { p.setClipRect(6, 4, 9, 30); }},
        {"scaled", QImage::Format_RGB32, {1, 1}, [](QPainter& p) { p.scale(2, 2); }},
        {"24-bit", QImage::Format_RGB888, {2, 2}, [](QPainter&) {}},
    };
    for (const Case& c : cases) {
        QImage expected(50, 40, c.format), got(50, 40, c.format);
        expected.fill(Qt::white);
        got.fill(Qt::white);
        {
            QPainter before(&expected), painter(&got);
            c.setUp(before);
            c.setUp(painter);
            before.drawImage(c.at, upright);
            dib.Paint(painter, c.at.x(), c.at.y());
        }
        EXPECT_TRUE(got == expected) << c.name;
    }
}

TEST(Surface, MemoryThatCannotBeHadLeavesNothingToPaintOrFade) {
    // Far beyond what a surface may ask for, empty, and past a 32-bit pixel count.
    for (const SurfaceSize& size :
         {SurfaceSize{60000, 60000}, SurfaceSize{0, 80}, SurfaceSize{70000, 70000}}) {
        CDIB dib(size);
        dib.Clone(nullptr);
        EXPECT_EQ(dib.lpRGB, nullptr) << size.ScreenWidthPx;
        EXPECT_EQ(dib.RGBSize(), 0) << size.ScreenWidthPx;
    }
}
