#include "MovieTestSupport.h"
#include "saver/modes/RuffleMoviePlayer.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace lumera::saver {
namespace {

using test::builtProgramFolder;
using test::saverTestApp;
using test::waitUntil;

class RufflePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        saverTestApp();
        window_ = std::make_unique<QWidget>();
        window_->resize(640, 480);
        profile_ = new QWebEngineProfile(window_.get());
        player_ = new RuffleMoviePlayer(profile_, builtProgramFolder(), window_.get());
        player_->widget()->setGeometry(0, 0, 640, 480);
        window_->show();
        ASSERT_TRUE(waitUntil([this] { return player_->pageReady(); }));
    }
    void TearDown() override {
        delete player_;
        window_.reset();
    }

    QVariant runScript(const QString& script) {
        QVariant result;
        bool done = false;
        player_->view()->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        waitUntil([&] { return done; }, 5000);
        return result;
    }

    QJsonObject pageState() {
        const QString state = runScript(QStringLiteral("window.lumeraPlayer.state()")).toString();
        return QJsonDocument::fromJson(state.toUtf8()).object();
    }

    QString movieFromContent(const QString& name) {
        return folder_.write(QStringLiteral("dong.swf"), [&] {
            QFile file(builtProgramFolder() + '/' + name);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }());
    }

    QImage picture() const { return player_->widget()->grab().toImage(); }

    static int distinctColours(const QImage& image) {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        return static_cast<int>(colours.size());
    }

    test::TestFolder folder_;
    std::unique_ptr<QWidget> window_;
    QWebEngineProfile* profile_ = nullptr;
    RuffleMoviePlayer* player_ = nullptr;
};

TEST_F(RufflePlayerTest, PlaysTheMovieItIsGivenOnTheColourItIsGiven) {
    const QString movie = movieFromContent(QStringLiteral("clock/clock1.jav"));
    // Keeps the audio contexts the player makes, to see whether its sound runs.
    runScript(QStringLiteral("const Made = window.AudioContext; window.madeAudio = [];"
                             "window.AudioContext = function (...args) {"
                             "  const context = new Made(...args);"
                             "  window.madeAudio.push(context); return context; };"));
    player_->setBackgroundColor(0x102030);
    player_->setMovie(movie);
    player_->play();
    player_->setVisible(true);
    ASSERT_TRUE(waitUntil([this] { return pageState()["loaded"].toBool(); }))
        << QJsonDocument(pageState()).toJson().constData();
    const QJsonObject state = pageState();
    EXPECT_EQ(state["background"].toString(), "#102030");
    EXPECT_EQ(state["movie"].toString(), "lumera://saver/movie?n=1");
    EXPECT_TRUE(state["playing"].toBool());
    EXPECT_EQ(state["error"].toString(), "");

    // The hands move: two pictures a second apart differ, and neither is plain.
    QTest::qWait(1000);
    const QImage before = picture();
    QTest::qWait(1100);
    const QImage after = picture();
    EXPECT_GT(distinctColours(before), 20);
    EXPECT_NE(before, after);
    // The clock ticks without anyone clicking first.
    EXPECT_EQ(runScript("window.madeAudio.map(context => context.state).join()").toString(),
              "running");
}

TEST_F(RufflePlayerTest, AFileThatIsNoMovieLeavesTheBlackBackground) {
    QFile big(folder_.file("big.jav"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(100ll * 1024 * 1024));
    big.close();
    const QStringList bad = {
        folder_.write("text.jav", "<html>this is not a movie</html>"),
        folder_.write("empty.jav", {}),
        big.fileName(),
        // Starts like a packed movie, but what follows cannot be unpacked.
        folder_.write("packed.jav", QByteArray("CWS\x0a\x00\x10\x00\x00") + QByteArray(4000, 'x')),
    };
    player_->setBackgroundColor(0);
    player_->setVisible(true);
    for (const QString& file : bad) {
        player_->setMovie(file);
        player_->play();
        QTest::qWait(1500);
        const QJsonObject state = pageState();
        // The page still answers, and shows the background alone.
        ASSERT_FALSE(state.isEmpty()) << file.toStdString();
        EXPECT_EQ(distinctColours(picture()), 1) << file.toStdString();
        EXPECT_EQ(picture().pixel(10, 10), qRgb(0, 0, 0)) << file.toStdString();
    }
}

} // namespace
} // namespace lumera::saver
