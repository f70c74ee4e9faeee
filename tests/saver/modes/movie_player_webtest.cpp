#include "MovieTestSupport.h"
#include "saver/modes/RuffleMoviePlayer.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
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

    QJsonObject pageState() {
        QJsonObject state;
        bool done = false;
        player_->view()->page()->runJavaScript(
            QStringLiteral("window.lumeraPlayer.state()"), [&](const QVariant& value) {
                state = QJsonDocument::fromJson(value.toString().toUtf8()).object();
                done = true;
            });
        waitUntil([&] { return done; }, 5000);
        return state;
    }

    QString movieFromContent(const QString& name) {
        return folder_.write(QStringLiteral("dong.swf"), [&] {
            QFile file(builtProgramFolder() + '/' + name);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }());
    }

    test::TestFolder folder_;
    std::unique_ptr<QWidget> window_;
    QWebEngineProfile* profile_ = nullptr;
    RuffleMoviePlayer* player_ = nullptr;
};

TEST_F(RufflePlayerTest, PlaysTheMovieItIsGivenOnTheColourItIsGiven) {
    const QString movie = movieFromContent(QStringLiteral("clock/clock1.jav"));
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
    QTest::qWait(1500);
    player_->widget()->grab().save("/tmp/ruffle_grab.png");
}

} // namespace
} // namespace lumera::saver
