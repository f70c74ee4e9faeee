// The viewing history and the favourites in a real main window with the real browser engine,
// on pages served from 127.0.0.1.
#include "platform/text/AnsiCodec.h"
#include "platform/web/WebBrowser.h"
#include "platform/web/WebEngineBrowser.h"
#include "platform/web/WebEngineProfile.h"
#include "portal/browser/Favorites.h"
#include "portal/mainwindow/ToolbarButtons.h"
#include "support/FrmmainHarness.h"
#include "support/LoopbackHttpServer.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;

namespace {

// Presses the toolbar button of that key as the user does.
void pressToolbarButton(Frmmain& window, const QString& key) {
    for (QAction* button : window.ToolbarButtons) {
        if (toolbarKey(button) == key) {
            if (auto* tool =
                    qobject_cast<QAbstractButton*>(window.Toolbar->widgetForAction(button)))
                tool->click();
            return;
        }
    }
    ADD_FAILURE() << "no toolbar button " << key.toStdString();
}

bool waitForTitle(WebBrowser& web, const QString& title) {
    return QTest::qWaitFor([&] { return web.documentTitle() == title; }, 30000);
}

TEST(HistoryWebTest, VisitsReachHisDatAndTheHistoryPageAndAFavouriteOpensFromTheMenu) {
    prepareWebEngineEnvironment();
    test::TestApplication application;
    WebEngineBrowserFactory browsers;
    test::FrmmainHarness harness(&browsers);
    // The side pane shows the vendor's page from the program folder's own copy.
    harness.sites =
        makePortalSiteTable(qEnvironmentVariable("LUMERA_PROGRAM_DIR", harness.folder.path()),
                            harness.folder.file("sites.ini"));
    PortalState& state = harness.state;
    const QString dataFolder = harness.context.dataFolder;

    test::LoopbackHttpServer server;
    server.addPage("/first.html", test::htmlPage("第一部电影", "<h1>第一部电影</h1>"));
    server.addPage("/second.html",
                   test::htmlPage("<b>第二部</b> & \"续集\"", "<h1>第二部 &amp; 续集</h1>"));
    const QString first = server.origin() + "/first.html";
    const QString second = server.origin() + "/second.html";

    // At the window's own size, as it first comes up.
    Frmmain* window = harness.open();
    window->setWindowState(Qt::WindowNoState);
    window->move(0, 0);
    window->show();
    harness.clock.time = QDateTime(QDate(2026, 12, 7), QTime(20, 15, 3));
    window->Web->navigate(first);
    ASSERT_TRUE(waitForTitle(*window->Web, "第一部电影"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.HistoryBuffer.count("<tr>") == 1; }, 10000));
    harness.clock.time = QDateTime(QDate(2026, 12, 7), QTime(20, 47, 41));
    window->Web->navigate(second);
    ASSERT_TRUE(waitForTitle(*window->Web, "<b>第二部</b> & \"续集\""));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.HistoryBuffer.count("<tr>") == 2; }, 10000));

    pressToolbarButton(*window, "history");
    ASSERT_TRUE(waitForTitle(*window->Web, "电影观看历史"));
    EXPECT_EQ(window->TargetUrl, dataFolder + "/history.html");
    EXPECT_TRUE(state.HistoryBuffer.isEmpty());
    const QString stored = decodeAnsi(harness.folder.read("his.dat"));
    const QStringList rows = stored.split("\r\n");
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[0].contains("<a href=\"" + second +
                                 "\">&lt;b&gt;第二部&lt;/b&gt; &amp; "
                                 "&quot;续集&quot;</a>"));
    EXPECT_TRUE(rows[1].contains("<a href=\"" + first + "\">第一部电影</a>"));
    EXPECT_TRUE(rows[2].isEmpty());
    // The history page itself is not a visit.
    QTest::qWait(300);
    EXPECT_TRUE(state.HistoryBuffer.isEmpty());
    // It fits its pane: no column cut off behind a scroll bar.
    QString widths;
    dynamic_cast<WebEngineBrowser&>(*window->Web)
        .view()
        ->page()
        ->runJavaScript("document.documentElement.scrollWidth + ' ' + window.innerWidth",
                        [&](const QVariant& result) { widths = result.toString(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !widths.isEmpty(); }, 10000));
    const QStringList both = widths.split(' ');
    EXPECT_LE(both[0].toInt(), both[1].toInt()) << widths.toStdString();

    if (const QString shots = qEnvironmentVariable("LUMERA_SCREENSHOT_DIR"); !shots.isEmpty()) {
        QTest::qWait(1000);
        const QRect frame = window->frameGeometry();
        QGuiApplication::primaryScreen()
            ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
            .save(shots + "/history-page.png");
    }

    // A favourite added through the dialog opens from the menu.
    window->Web->navigate(first);
    ASSERT_TRUE(waitForTitle(*window->Web, "第一部电影"));
    window->addhome_Click();
    auto* add = window->findChild<Favorites*>();
    ASSERT_NE(add, nullptr);
    add->cmdOK->click();
    window->Web->navigate("about:blank");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return window->Web->locationUrl() == "about:blank" && window->Web->documentTitle() == "";
    }));
    pressToolbarButton(*window, "fav");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->FavMenu->isVisible(); }));
    const QList<QAction*> entries = window->FavMenu->actions().mid(3);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0]->text(), "第一部电影");
    window->FavMenu->hide();
    entries[0]->trigger();
    // The address as well: the title can still be the one from before the blank page.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window->Web->locationUrl() == first &&
                   window->Web->documentTitle() == "第一部电影";
        },
        20000));

    window->close();
    QTest::qWait(100);
}

} // namespace
