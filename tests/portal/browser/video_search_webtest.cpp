#include "platform/web/WebEngineBrowser.h"
#include "portal/mainwindow/Frmmain.h"
#include "support/ActiveWindow.h"
#include "support/FrmmainHarness.h"
#include "support/LoopbackHttpServer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace lumera;
using namespace lumera::portal;
using lumera::test::FrmmainHarness;
using lumera::test::htmlPage;

namespace {

constexpr int kWait = 60000;

// A user types a query, picks the film site from the engine list, and the main pane shows
// that site's result page, served here on the loopback address through the site table.
class VideoSearchWebTest : public ::testing::Test {
protected:
    VideoSearchWebTest() {
        server.addPage("/pop/right.html", htmlPage("side", "<p>side</p>"));
        server.addPrefix("/search/", htmlPage("电影网搜索结果", "<h1>搜索结果</h1>"));
        harness.pointEverySiteAt(server.origin());
        window = harness.open();
        window->resize(1280, 720);
        window->show();
        test::makeActive(window);
    }

    // Picks an entry of a combo box's list with the mouse, as a user does.
    static void pickFromList(QComboBox* box, int row) {
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 5000));
        const QModelIndex entry = list->model()->index(row, 0);
        list->scrollTo(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
    }

    // Types text key by key; characters without a key of their own come as an input method
    // delivers them.
    static void typeText(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(widget, QString(c));
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &release);
        }
    }

    bool waitForTitle(const QString& title) {
        return QTest::qWaitFor(
            [&] { return window->windowTitle() == title + QStringLiteral(" - Lumera桌面"); },
            kWait);
    }

    test::TestApplication application;
    WebEngineBrowserFactory browsers;
    test::LoopbackHttpServer server;
    FrmmainHarness harness{&browsers};
    Frmmain* window = nullptr;
};

} // namespace

TEST_F(VideoSearchWebTest, TypedQueryAndFilmSiteShowTheResultPage) {
    const QString query = QStringLiteral("Doskar 无间道&2");
    window->CmbSearch->lineEdit()->selectAll();
    QTest::keyClick(window->CmbSearch, Qt::Key_Delete);
    typeText(window->CmbSearch, query);
    ASSERT_EQ(window->CmbSearch->currentText(), query);
    pickFromList(window->CmbType, 7);
    EXPECT_EQ(window->CmbType->currentText(), "电影网");

    ASSERT_TRUE(waitForTitle("电影网搜索结果")) << window->windowTitle().toStdString() << " asked "
                                                << server.requests.join(',').toStdString();
    const QString path = "/search/index-p-type-all-q-" + query + ".html";
    ASSERT_FALSE(server.requests.isEmpty());
    // The browser encodes what the program handed over unchanged.
    EXPECT_EQ(QUrl::fromPercentEncoding(server.requests.last().toUtf8()), path)
        << server.requests.last().toStdString();
    EXPECT_EQ(window->TargetUrl, server.origin() + path);
    EXPECT_EQ(window->CmbSearch->itemText(window->CmbSearch->count() - 1), query);

    if (const QByteArray shots = qgetenv("LUMERA_SCREENSHOT_DIR"); !shots.isEmpty()) {
        QTest::qWait(500);
        window->grab().save(QDir(QString::fromLocal8Bit(shots)).filePath("video-search.png"));
    }
}
