#include "MovieTestSupport.h"
#include "saver/modes/PlayerBridge.h"
#include "saver/modes/PlayerScheme.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

namespace lumera::saver {
namespace {

TEST(PlayerSchemeTest, ServesThePlayerFilesAndTheMovieAndNothingElse) {
    PlayerSchemeHandler handler(QStringLiteral("/opt/saver"), nullptr);
    const auto file = [&](const char* url) {
        return handler.fileFor(QUrl(QString::fromLatin1(url)));
    };

    EXPECT_EQ(PlayerSchemeHandler::pageUrl().toString(), "lumera://saver/player/index.html");
    EXPECT_EQ(file("lumera://saver/player/index.html"), "/opt/saver/player/index.html");
    EXPECT_EQ(file("lumera://saver/ruffle/core.ruffle.js"), "/opt/saver/ruffle/core.ruffle.js");
    EXPECT_EQ(file("lumera://saver/ruffle/sub/x.wasm"), "/opt/saver/ruffle/sub/x.wasm");
    // Nothing outside those two folders, however the address is written.
    EXPECT_EQ(file("lumera://saver/player/../../etc/passwd"), "");
    EXPECT_EQ(file("lumera://saver/player/%2e%2e/%2e%2e/etc/passwd"), "");
    EXPECT_EQ(file("lumera://saver/player/../ruffle/ruffle.js"), "");
    EXPECT_EQ(file("lumera://saver/sys/dong.swf"), "");
    EXPECT_EQ(file("lumera://other/player/index.html"), "");
    EXPECT_EQ(file("file:///opt/saver/player/index.html"), "");
    // The movie only once one is given, and a new address for every movie.
    EXPECT_EQ(file("lumera://saver/movie"), "");
    const QUrl first = handler.publishMovie(QStringLiteral("/data/sys/dong.swf"));
    const QUrl second = handler.publishMovie(QStringLiteral("/data/sys/dong.swf"));
    EXPECT_NE(first, second);
    EXPECT_EQ(handler.fileFor(second), "/data/sys/dong.swf");
    EXPECT_EQ(second.scheme(), "lumera");
}

TEST(PlayerSchemeTest, EveryFileThePlayerLoadsGoesOutWithATypeTheEngineRuns) {
    // The shipped player's own files, whatever a new release of it names them: the engine
    // refuses a script or a module sent as plain bytes.
    QStringList wasm, scripts;
    for (const char* part : {"/player", "/ruffle"}) {
        QDirIterator files(test::builtProgramFolder() + part, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            if (QFileInfo(file).fileName().startsWith("LICENSE"))
                continue;
            const QByteArray type = contentTypeFor(file);
            EXPECT_NE(type, "application/octet-stream") << file.toStdString();
            if (type == "application/wasm")
                wasm << file;
            if (type == "text/javascript")
                scripts << file;
        }
    }
    EXPECT_FALSE(wasm.isEmpty());
    EXPECT_GE(scripts.size(), 2); // the player page's script and the player's
    EXPECT_EQ(contentTypeFor("/x/INDEX.HTML"), "text/html");
}

TEST(PlayerBridgeTest, CallsWaitForThePageAndKeepTheirOrder) {
    QStringList scripts;
    PlayerBridge bridge([&](const QString& script) { scripts << script; });
    bridge.setBackgroundColor(0x0A0B0C);
    bridge.load(QUrl(QStringLiteral("lumera://saver/movie?n=1")));
    bridge.play();
    EXPECT_TRUE(scripts.isEmpty());

    bridge.pageReady();
    ASSERT_EQ(scripts.size(), 3);
    EXPECT_TRUE(scripts[0].contains(R"(setBackground("#0a0b0c"))")) << scripts[0].toStdString();
    EXPECT_TRUE(scripts[1].contains(R"(load("lumera://saver/movie?n=1"))"))
        << scripts[1].toStdString();
    EXPECT_TRUE(scripts[2].contains("play()"));

    // Once the page is there, a call runs at once; no movie means an empty address.
    bridge.load(QUrl());
    ASSERT_EQ(scripts.size(), 4);
    EXPECT_TRUE(scripts[3].contains(R"(load(""))"));
}

TEST(PlayerBridgeTest, AnAddressCannotBreakOutOfItsString) {
    QStringList scripts;
    PlayerBridge bridge([&](const QString& script) { scripts << script; });
    bridge.pageReady();
    bridge.load(QUrl(QStringLiteral("lumera://saver/movie?n=\");alert(1);(\"")));
    ASSERT_EQ(scripts.size(), 1);
    EXPECT_FALSE(scripts[0].contains(R"(");alert)")) << scripts[0].toStdString();
}

} // namespace
} // namespace lumera::saver
