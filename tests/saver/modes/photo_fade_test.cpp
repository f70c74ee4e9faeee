#include "saver/modes/PhotoPipeline.h"
#include "saver/modes/PictureBox.h"
#include "tests/saver/SaverFormFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QScreen>
#include <QTest>

using lumera::test::SaverFormTest;
using namespace lumera::saver;

namespace {

// The colour of a surface's pixel at (x, y) counted from the top.
QRgb surfacePixel(const CDIB& dib, int x, int y) {
    if (!dib.lpRGB || x < 0 || y < 0 || x >= dib.header.biWidth || y >= dib.header.biHeight) {
        ADD_FAILURE() << "no pixel (" << x << ", " << y << ") on this surface";
        return qRgb(1, 2, 3);
    }
    const std::uint8_t* p =
        dib.lpRGB + std::size_t(dib.header.biHeight - 1 - y) * dib.stride() + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

bool near(QRgb a, QRgb b, int tolerance = 12) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A 20000 × 20000 baseline JPEG header without any picture data behind it.
QByteArray hugeJpegHeader(int side) {
    QByteArray h = QByteArray::fromHex("FFD8FFC0000B08");
    h.append(char(side >> 8)).append(char(side & 0xFF)); // height
    h.append(char(side >> 8)).append(char(side & 0xFF)); // width
    h.append(QByteArray::fromHex("01011100FFD9"));
    return h;
}

} // namespace

class PhotoFadeTest : public SaverFormTest {
protected:
    // A photo of one colour, by default small and of the screen's shape.
    void photo(const QString& name, QColor colour, int side = 64) {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        photo(name, colour, screen.scaled(side, side, Qt::KeepAspectRatio));
    }
    void photo(const QString& name, QColor colour, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        folder.write("pictures/" + name, {});
        ASSERT_TRUE(image.save(folder.file("pictures/" + name), "JPG", 95));
    }

    frmmain& startPhotoMode() {
        storePictureFolder(pictures());
        auto& f = makeForm("7");
        EXPECT_TRUE(f.Form_Load());
        f.ShowSaver();
        return f;
    }

    // Runs fade steps until the next photo has been loaded (the level is 0 again).
    void runToNextLoad(frmmain& f) {
        do
            f.FadeStep();
        while (f.fadeLevels().level != 0);
    }

    QRgb shownPhoto(frmmain& f) const { return surfacePixel(*f.sourceSurface(), 20, 20); }
};

TEST_F(PhotoFadeTest, SurfacesAreScreenSizedWithEightyRowsMoreAndStartBlack) {
    auto& f = startPhotoMode();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(f.surfaceSize().ScreenWidthPx, screen.width());
    EXPECT_EQ(f.surfaceSize().ScreenHeightPx, screen.height() + 80);
    ASSERT_NE(f.displaySurface()->lpRGB, nullptr);
    EXPECT_EQ(surfacePixel(*f.displaySurface(), 5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(f.sourceSurface()->lpRGB, nullptr); // nothing loaded before the first tick
    EXPECT_EQ(f.fadeLevels().level, 4);
    EXPECT_TRUE(f.fadeRunning());
    EXPECT_TRUE(f.Picture1->isVisibleTo(&f));
}

TEST_F(PhotoFadeTest, TwoPhotosInNameOrderThenTheLastOneRepeats) {
    photo("b.jpg", Qt::green);
    photo("A.JPG", Qt::red); // the match ignores case
    photo("c.png", Qt::blue);
    folder.write("pictures/._A.JPG", "\x05\x16\x07 resource fork"); // a file manager's litter
    auto& f = startPhotoMode();
    EXPECT_EQ(f.CurrentPicturePath(), pictures() + "/A.JPG");

    f.FadeStep(); // level 0: the first photo, shown black
    EXPECT_EQ(f.fadeLevels().level, 0);
    EXPECT_TRUE(near(shownPhoto(f), qRgb(255, 0, 0)));
    EXPECT_EQ(surfacePixel(*f.displaySurface(), 20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(f.currentPhotoName(), "b.jpg");
    EXPECT_TRUE(QFile::exists(dataFile("temp/music.bmp")));
    EXPECT_EQ(folder.read(dataFile("temp/music.bmp")).left(2), "BM");

    for (int i = 0; i < 32; ++i)
        f.FadeStep();
    EXPECT_EQ(f.fadeLevels().level, 128);
    const QRgb half = surfacePixel(*f.displaySurface(), 20, 20);
    EXPECT_EQ(qRed(half), qRed(shownPhoto(f)) * 128 / 256);

    runToNextLoad(f);
    EXPECT_TRUE(near(shownPhoto(f), qRgb(0, 255, 0)));
    EXPECT_TRUE(f.currentPhotoName().isEmpty());
    runToNextLoad(f);
    EXPECT_TRUE(near(shownPhoto(f), qRgb(0, 255, 0)));
}

TEST_F(PhotoFadeTest, APortraitPhotoIsFittedWholeOnBlackAndPaintedUpright) {
    QImage image(40, 80, QImage::Format_RGB32); // portrait, top half red, bottom half blue
    image.fill(Qt::blue);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    folder.write("pictures/p.jpg", {});
    ASSERT_TRUE(image.save(folder.file("pictures/p.jpg"), "JPG", 95));
    auto& f = startPhotoMode();
    f.FadeStep();
    const QSize area = f.Picture1->size();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(area, QSize(screen.width(), screen.height() + 5)); // 70 twips more
    EXPECT_EQ(f.Picture2.size(), area);
    const CDIB& source = *f.sourceSurface();
    // Half as wide as the area is high, in the middle; black beside it and below the area.
    const int middle = area.width() / 2, half = area.height() / 4;
    EXPECT_TRUE(near(surfacePixel(source, middle + half - 3, 3), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(surfacePixel(source, middle - half + 3, area.height() - 3), qRgb(0, 0, 255)));
    EXPECT_EQ(surfacePixel(source, middle + half + 3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(surfacePixel(source, middle - half - 3, area.height() - 3), qRgb(0, 0, 0));
    ASSERT_GT(source.header.biHeight, area.height());
    EXPECT_EQ(surfacePixel(source, middle, source.header.biHeight - 1), qRgb(0, 0, 0));
}

TEST(PhotoShape, WithinAQuarterOfTheAreasShapeAPhotoIsStretchedOverItElseFittedWhole) {
    lumera::test::saverFormTestApp();
    EXPECT_TRUE(stretchesOver({125, 100}, {100, 100}));
    EXPECT_FALSE(stretchesOver({126, 100}, {100, 100}));
    EXPECT_TRUE(stretchesOver({100, 125}, {100, 100}));
    EXPECT_FALSE(stretchesOver({100, 126}, {100, 100}));
    EXPECT_TRUE(stretchesOver({4000, 3000}, {1920, 1205}));  // 4:3 on 16:10
    EXPECT_FALSE(stretchesOver({3000, 4000}, {1920, 1205})); // portrait
    EXPECT_FALSE(stretchesOver({0, 10}, {100, 100}));

    QImage nearShape(110, 100, QImage::Format_RGB32);
    nearShape.fill(Qt::green);
    const QImage stretched = fitToArea(nearShape, {100, 100});
    EXPECT_EQ(stretched.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(stretched.pixel(99, 99), qRgb(0, 255, 0));

    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::green);
    const QImage fitted = fitToArea(wide, {100, 100});
    ASSERT_EQ(fitted.size(), QSize(100, 100));
    EXPECT_EQ(fitted.pixel(50, 23), qRgb(0, 0, 0));
    EXPECT_EQ(fitted.pixel(0, 26), qRgb(0, 255, 0));
    EXPECT_EQ(fitted.pixel(99, 73), qRgb(0, 255, 0));
    EXPECT_EQ(fitted.pixel(50, 76), qRgb(0, 0, 0));
}

TEST_F(PhotoFadeTest, TheExifOrientationIsAppliedBeforeTheStretch) {
    // Stored lying on its side (red on the left), marked to be turned a quarter clockwise:
    // upright the red half is on top.
    QImage stored(80, 40, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    const QString path = folder.write("pictures/turned.jpg", {});
    QImageWriter writer(path, "jpeg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(stored));
    const QImage upright = fitToArea(decodePhoto(path, QSize(200, 100)), QSize(200, 100));
    ASSERT_EQ(upright.size(), QSize(200, 100));
    EXPECT_TRUE(near(upright.pixel(100, 10), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(upright.pixel(100, 90), qRgb(0, 0, 255)));
    // Shrunk by the decoder only as far as the upright photo still covers the area.
    EXPECT_EQ(decodePhoto(path, QSize(10, 15)).size(), QSize(10, 20));
}

TEST_F(PhotoFadeTest, UndecodableFilesArePassedOverAndThePreviousPhotoComesAgain) {
    photo("1.jpg", Qt::red);
    folder.write("pictures/2.jpg", "this is no picture");
    QByteArray truncated = folder.read("pictures/1.jpg");
    photo("3.jpg", Qt::green, 640);
    truncated = folder.read("pictures/3.jpg").left(300);
    folder.write("pictures/4.jpg", truncated);
    folder.write("pictures/5.jpg", hugeJpegHeader(20000));
    folder.write("pictures/6.jpg", hugeJpegHeader(12000));
    photo("7.jpg", Qt::blue, 4);
    auto& f = startPhotoMode();

    f.FadeStep();
    EXPECT_TRUE(near(shownPhoto(f), qRgb(255, 0, 0)));
    runToNextLoad(f); // 2.jpg: not a picture
    EXPECT_TRUE(near(shownPhoto(f), qRgb(255, 0, 0)));
    runToNextLoad(f);
    EXPECT_TRUE(near(shownPhoto(f), qRgb(0, 255, 0)));
    runToNextLoad(f); // 4.jpg: cut off after its header; whatever decodes is shown or passed
    runToNextLoad(f); // 5.jpg: too large to ask memory for
    const QRgb afterHuge = shownPhoto(f);
    runToNextLoad(f); // 6.jpg: a header with no data behind it
    EXPECT_EQ(shownPhoto(f), afterHuge);
    runToNextLoad(f); // 7.jpg: a few pixels, stretched over everything
    EXPECT_TRUE(near(shownPhoto(f), qRgb(0, 0, 255)));
    const QSize area = f.Picture1->size();
    EXPECT_TRUE(near(surfacePixel(*f.sourceSurface(), area.width() - 1, area.height() - 1),
                     qRgb(0, 0, 255)));
}

TEST_F(PhotoFadeTest, DecodingRefusesWhatCannotBeAllocated) {
    const QString huge = folder.write("huge.jpg", hugeJpegHeader(20000));
    EXPECT_TRUE(decodePhoto(huge, QSize(1920, 1165)).isNull());
    EXPECT_TRUE(decodePhoto(folder.path(), QSize(1920, 1165)).isNull());
    EXPECT_TRUE(decodePhoto(folder.file("missing.jpg"), QSize(1920, 1165)).isNull());
    photo("ok.jpg", Qt::red, QSize(64, 48));
    EXPECT_TRUE(decodePhoto(pictures() + "/ok.jpg", QSize()).isNull());
    EXPECT_EQ(decodePhoto(pictures() + "/ok.jpg", QSize(30, 20)).size(), QSize(32, 24));
    EXPECT_EQ(decodePhoto(pictures() + "/ok.jpg", QSize(100, 100)).size(), QSize(64, 48));
}

TEST(PhotoDecodeSize, TheDecoderShrinksByPowersOfTwoDownToTheArea) {
    EXPECT_EQ(decodeSize({4000, 3000}, {1920, 1085}), QSize(2000, 1500));
    EXPECT_EQ(decodeSize({4000, 3000}, {1024, 773}), QSize(2000, 1500));
    EXPECT_EQ(decodeSize({16000, 12000}, {1024, 773}), QSize(2000, 1500)); // at most by 8
    EXPECT_EQ(decodeSize({800, 600}, {1920, 1085}), QSize(800, 600));
}

TEST_F(PhotoFadeTest, NoPhotosOrAPictureFolderThatIsAFileStaysDark) {
    auto& empty = startPhotoMode();
    for (int i = 0; i < 300; ++i)
        empty.FadeStep();
    ASSERT_NE(empty.sourceSurface()->lpRGB, nullptr);
    EXPECT_EQ(shownPhoto(empty), qRgb(0, 0, 0));
    EXPECT_EQ(surfacePixel(*empty.displaySurface(), 20, 20), qRgb(0, 0, 0));
    form.reset();

    const QString file = folder.write("not-a-folder.jpg", "x");
    storePictureFolder(file);
    auto& f = makeForm("7");
    ASSERT_TRUE(f.Form_Load());
    f.ShowSaver();
    for (int i = 0; i < 130; ++i)
        f.Timer2_Timer();
    EXPECT_EQ(surfacePixel(*f.displaySurface(), 20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(processEnds, 0);
}

TEST_F(PhotoFadeTest, AClickOnThePhotoEndsTheSaverAndTheWorkBitmapStays) {
    photo("a.jpg", Qt::red);
    auto& f = startPhotoMode();
    f.Timer2_Timer();
    QTest::mouseClick(f.Picture1, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(processEnds, 1);
    EXPECT_FALSE(pointer.hidden());
    EXPECT_TRUE(QFile::exists(dataFile("temp/music.bmp")));
}

TEST(WorkBitmap, WrittenAsAWindowsBitmapThatReadsBackPixelForPixel) {
    lumera::test::saverFormTestApp();
    lumera::test::TestFolder folder;
    QImage picture(5, 3, QImage::Format_RGB32); // 15 bytes a row, padded to 16
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(40 * x, 80 * y, 7));
    const QString path = folder.file("music.bmp");
    ASSERT_TRUE(saveWorkBitmap(picture, path));
    const QByteArray bytes = folder.read(path);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(bytes.size(), 54 + 16 * 3);
    QImage back;
    ASSERT_TRUE(back.load(path, "BMP"));
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(back.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    EXPECT_FALSE(saveWorkBitmap(picture, folder.file("no/such/folder/music.bmp")));
    EXPECT_FALSE(saveWorkBitmap(QImage(), path));
    EXPECT_TRUE(back.load(path, "BMP")); // a failed write leaves the old file whole

    // The next photo's bitmap replaces the last one whole, and nothing is left beside it.
    ASSERT_TRUE(saveWorkBitmap(picture.scaled(2, 2), path));
    EXPECT_EQ(folder.read(path).size(), 54 + 8 * 2);
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"music.bmp"});
}
