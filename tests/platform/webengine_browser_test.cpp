#include "platform/desktop/QtTranslations.h"
#include "platform/web/SilentPage.h"
#include "platform/web/WebEngineBrowser.h"
#include "platform/web/WebEngineProfile.h"
#include "support/ActiveWindow.h"
#include "support/LoopbackHttpServer.h"

#include <QApplication>
#include <QBuffer>
#include <QDebug>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumera;
using lumera::test::htmlPage;
using lumera::test::LoopbackHttpServer;

namespace {

int argc = 1;
char arg0[] = "webengine_browser_test";
char* argv[] = {arg0, nullptr};

QVariant evaluate(WebEngineBrowser& browser, const QString& script) {
    QVariant result;
    bool done = false;
    browser.page()->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000))
        << "no answer to: " << script.toStdString();
    return result;
}

// A script that tries to read a file, fetch an address and show a picture, and puts what
// became of each into the title after the page's scheme: "probe file: read refused refused".
QString probeScript(const QString& file, const QString& address, const QString& picture) {
    return QStringLiteral(
               "<script>"
               "const xhr = u => new Promise(r => { const x = new XMLHttpRequest();"
               "  x.onload = () => r(x.responseText.length ? 'read' : 'refused');"
               "  x.onerror = () => r('refused');"
               "  try { x.open('GET', u); x.send(); } catch (e) { r('refused'); } });"
               "const img = u => new Promise(r => { const i = new Image();"
               "  i.onload = () => r('read'); i.onerror = () => r('refused'); i.src = u; });"
               "Promise.all([xhr('%1'), fetch('%2').then(() => 'read', () => 'refused'),"
               "  img('%3')]).then(v => document.title = 'probe ' + location.protocol + ' ' + "
               "v.join(' '));"
               "</script>")
        .arg(file, address, picture);
}

// The status lines of every process below this one.
QStringList descendantStatuses() {
    QHash<int, int> parents;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const int pid = entry.toInt(&number);
        QFile stat("/proc/" + entry + "/stat");
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            parents.insert(pid, fields[1].toInt());
    }
    QStringList statuses;
    for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
        for (int up = it.value(); up > 1; up = parents.value(up)) {
            if (up != ::getpid())
                continue;
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(it.key()));
            QFile status(QStringLiteral("/proc/%1/status").arg(it.key()));
            if (cmdline.open(QIODevice::ReadOnly) && status.open(QIODevice::ReadOnly))
                statuses << QString::fromUtf8(cmdline.readAll().replace('\0', ' ')) + '\n' +
                                QString::fromUtf8(status.readAll());
            break;
        }
    }
    return statuses;
}

// A scheme of the program's own, like the saver's, that answers every address with one page.
struct OnePageScheme : QWebEngineUrlSchemeHandler {
    QByteArray page;
    void requestStarted(QWebEngineUrlRequestJob* job) override {
        auto* body = new QBuffer(job);
        body->setData(page);
        job->reply("text/html", body);
    }
};

// Whether this user may make a user namespace, which the engine's sandbox needs.
bool userNamespacesAllowed() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::unshare(CLONE_NEWUSER) == 0 ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Pages served from 127.0.0.1 by the test itself.
class WebEngineBrowserTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QWebEngineUrlScheme own("lumera-test");
        own.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        QWebEngineUrlScheme::registerScheme(own);
        prepareWebEngineEnvironment();
        shareOpenGLContexts();
        app = new QApplication(argc, argv);
        scheme = new OnePageScheme;
        scheme->setParent(app);
        sharedWebProfile()->installUrlSchemeHandler("lumera-test", scheme);
        installChineseQtTranslations(*app);
    }

    void SetUp() override {
        server = std::make_unique<LoopbackHttpServer>();
        const QString tall = "<div style='height:5000px'>tall</div>";
        server->addPage("/a",
                        htmlPage("Page A", "<a id='l' href='/b' target='_blank' "
                                           "style='position:absolute;left:0;top:0;width:400px;"
                                           "height:200px;display:block'>open b</a>" +
                                               tall));
        server->addPage("/b", htmlPage("Page B", tall));
        server->addPage("/untitled", "<html><body>no title here</body></html>");
        server->addPage("/alert", htmlPage("Alert", "<script>alert('x');confirm('y');"
                                                    "document.title='after';</script>"));
        window = std::make_unique<QWidget>();
        window->resize(800, 600);
        browser = static_cast<WebEngineBrowser*>(factory.create(window.get()));
        browser->widget()->resize(800, 600);
        window->show();
    }

    void TearDown() override {
        window.reset();
        server.reset();
    }

    bool loadAndWait(const QString& path) {
        QSignalSpy complete(browser, &WebBrowser::DocumentComplete);
        browser->navigate(server->origin() + path);
        return complete.wait(20000);
    }

    static inline QApplication* app = nullptr;
    static inline OnePageScheme* scheme = nullptr;
    WebEngineBrowserFactory factory;
    std::unique_ptr<LoopbackHttpServer> server;
    std::unique_ptr<QWidget> window;
    WebEngineBrowser* browser = nullptr;
};

// Clicks into the page until it shows the effect: the first click can land before the page's
// first frame is on screen.
bool clickUntil(WebEngineBrowser& browser, QPoint at, const std::function<bool()>& done) {
    QWidget* input = browser.view()->focusProxy();
    for (int attempt = 0; input && attempt < 10; ++attempt) {
        QTest::mouseClick(input, Qt::LeftButton, {}, at);
        if (QTest::qWaitFor(done, 1500))
            return true;
    }
    return false;
}

} // namespace

TEST_F(WebEngineBrowserTest, AVisitReportsItsEventsInOrder) {
    QSignalSpy before(browser, &WebBrowser::BeforeNavigate2);
    QSignalSpy progress(browser, &WebBrowser::ProgressChange);
    QSignalSpy titles(browser, &WebBrowser::TitleChange);
    QSignalSpy status(browser, &WebBrowser::StatusTextChange);
    QSignalSpy states(browser, &WebBrowser::CommandStateChange);
    ASSERT_TRUE(loadAndWait("/a"));

    EXPECT_GE(before.size(), 1);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toInt(), -1);
    for (const auto& p : progress)
        EXPECT_EQ(p.at(1).toInt(), 100);
    EXPECT_FALSE(titles.isEmpty());
    EXPECT_EQ(browser->documentTitle(), "Page A");
    EXPECT_EQ(browser->locationUrl(), server->origin() + "/a");
    EXPECT_TRUE(browser->hasDocument());
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("完成"));
    // A first page has nowhere to go back or forward to.
    ASSERT_GE(states.size(), 2);
    for (const auto& s : states)
        EXPECT_FALSE(s.at(1).toBool());
}

TEST_F(WebEngineBrowserTest, BackAndForwardFollowTheHistory) {
    ASSERT_TRUE(loadAndWait("/a"));
    QSignalSpy states(browser, &WebBrowser::CommandStateChange);
    ASSERT_TRUE(loadAndWait("/b"));
    auto lastState = [&](int command) {
        for (qsizetype i = states.size() - 1; i >= 0; --i)
            if (states.at(i).at(0).toInt() == command)
                return states.at(i).at(1).toBool();
        return false;
    };
    EXPECT_TRUE(lastState(CSC_NAVIGATEBACK));
    EXPECT_FALSE(lastState(CSC_NAVIGATEFORWARD));

    QSignalSpy complete(browser, &WebBrowser::DocumentComplete);
    browser->goBack();
    ASSERT_TRUE(complete.wait(20000));
    EXPECT_EQ(browser->documentTitle(), "Page A");
    EXPECT_FALSE(lastState(CSC_NAVIGATEBACK));
    EXPECT_TRUE(lastState(CSC_NAVIGATEFORWARD));
    browser->goBack(); // at the start already: nothing happens
    QTest::qWait(300);
    EXPECT_EQ(browser->documentTitle(), "Page A");
}

// A local page (as the history page is) whose link the user follows: the steps back to it and
// forward again show the remote page, and so does a refresh there.
TEST_F(WebEngineBrowserTest, StepsBetweenALocalPageAndTheRemotePageItLinksTo) {
    QTemporaryDir folder;
    QFile local(folder.filePath("history.html"));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.write(htmlPage("Local", "<a href='" + server->origin() +
                                      "/b' style='display:block;width:400px;height:200px'>B</a>"));
    local.close();
    browser->navigate(folder.filePath("history.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser->documentTitle() == "Local"; }, 20000));
    // A click lands once the page leaves for B; another click would start the way anew.
    QSignalSpy leaving(browser, &WebBrowser::BeforeNavigate2);
    QSignalSpy complete(browser, &WebBrowser::DocumentComplete);
    ASSERT_TRUE(clickUntil(*browser, {50, 50}, [&] { return !leaving.isEmpty(); }));
    ASSERT_TRUE(complete.wait(20000));
    EXPECT_EQ(browser->documentTitle(), "Page B");
    for (auto step : {&WebBrowser::goBack, &WebBrowser::goForward, &WebBrowser::refresh}) {
        complete.clear();
        (browser->*step)();
        ASSERT_TRUE(complete.wait(20000));
        const QString expected = step == &WebBrowser::goBack ? "Local" : "Page B";
        EXPECT_EQ(browser->documentTitle(), expected);
    }
    EXPECT_EQ(browser->locationUrl(), server->origin() + "/b");
}

TEST_F(WebEngineBrowserTest, AClickedLinkAsksForANewWindowWithItsAddress) {
    ASSERT_TRUE(loadAndWait("/a"));
    QWidget second;
    second.resize(400, 300);
    auto* target = static_cast<WebEngineBrowser*>(factory.create(&second));
    second.show();

    QString requested, active;
    bool user = false;
    QObject::connect(browser, &WebBrowser::NewWindow2, browser, [&](NewWindowRequest* request) {
        requested = request->requestedUrl();
        user = request->userInitiated();
        active = browser->activeElementHref();
        request->openIn(target);
    });
    QSignalSpy targetComplete(target, &WebBrowser::DocumentComplete);
    QWidget* input = browser->view()->focusProxy();
    ASSERT_NE(input, nullptr);
    // The first click can land before the page's first frame is on screen; click again then.
    for (int attempt = 0; attempt < 10 && requested.isEmpty(); ++attempt) {
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(50, 50));
        if (QTest::qWaitFor([&] { return !requested.isEmpty(); }, 1000))
            break;
    }
    ASSERT_FALSE(requested.isEmpty());
    ASSERT_TRUE(targetComplete.count() > 0 || targetComplete.wait(20000));
    EXPECT_EQ(requested, server->origin() + "/b");
    EXPECT_EQ(active, server->origin() + "/b");
    EXPECT_TRUE(user);
    EXPECT_EQ(target->documentTitle(), "Page B");
    // The opener stays where it was.
    EXPECT_EQ(browser->locationUrl(), server->origin() + "/a");
}

TEST_F(WebEngineBrowserTest, AnUnansweredNewWindowRequestOpensNothing) {
    server->addPage("/popup", htmlPage("Popup", "<script>setTimeout(function(){"
                                                "window.open('/b');},100);</script>"));
    int requests = 0;
    bool user = true;
    QObject::connect(browser, &WebBrowser::NewWindow2, browser, [&](NewWindowRequest* request) {
        ++requests;
        user = request->userInitiated();
    });
    ASSERT_TRUE(loadAndWait("/popup"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return requests > 0; }, 5000));
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(user);
    QTest::qWait(500);
    EXPECT_FALSE(server->requests.contains("/b"));
}

TEST_F(WebEngineBrowserTest, ScrollingMarginsAndTheFocusedFieldReachTheDocument) {
    // Whether the user types in the page, with the focus on the element the script gives.
    const auto typingAt = [&](const QString& focus) {
        evaluate(*browser, focus);
        std::optional<bool> answer;
        browser->askTypingInPage([&](bool typing) { answer = typing; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 5000))
            << focus.toStdString();
        return answer.value_or(false);
    };
    EXPECT_FALSE(typingAt("0")); // no document yet
    EXPECT_FALSE(browser->scrollBy(0, 100));
    EXPECT_FALSE(browser->setBodyMargins(1, 2, 3, 4));
    ASSERT_TRUE(loadAndWait("/b"));
    ASSERT_TRUE(browser->scrollBy(0, 100));
    ASSERT_TRUE(browser->scrollBy(0, 100));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return evaluate(*browser, "window.scrollY").toInt() == 200; }, 5000));
    browser->scrollBy(0, -100);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return evaluate(*browser, "window.scrollY").toInt() == 100; }, 5000));
    ASSERT_TRUE(browser->setBodyMargins(0, 5, 0, 7));
    EXPECT_EQ(evaluate(*browser, "getComputedStyle(document.body).marginLeft").toString(), "5px");
    EXPECT_EQ(evaluate(*browser, "getComputedStyle(document.body).marginBottom").toString(), "7px");

    evaluate(*browser, "document.body.insertAdjacentHTML('afterbegin', '<input id=t>"
                       "<input id=c type=checkbox><textarea id=r readonly></textarea>"
                       "<div id=e contenteditable>e</div>')");
    EXPECT_TRUE(typingAt("t.focus()"));
    EXPECT_TRUE(typingAt("e.focus()"));
    EXPECT_FALSE(typingAt("c.focus()"));
    EXPECT_FALSE(typingAt("r.focus()"));
    EXPECT_FALSE(typingAt("document.activeElement.blur()"));
}

TEST_F(WebEngineBrowserTest, SilentPagesShowNoDialogAndCanAlwaysBeLeft) {
    browser->setSilent(true);
    ASSERT_TRUE(loadAndWait("/alert"));
    // The script runs past alert and confirm.
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser->documentTitle() == "after"; }, 5000));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QDialog*>(w), nullptr);

    // A form that asks to stay once the user typed into it.
    server->addPage("/form", htmlPage("Form", "<input id='i' autofocus style='width:300px'>"
                                              "<script>window.onbeforeunload = function(e) {"
                                              "e.preventDefault(); return 'stay'; };</script>"));
    ASSERT_TRUE(loadAndWait("/form"));
    window->activateWindow();
    test::makeActive(window.get());
    ASSERT_TRUE(clickUntil(*browser, {20, 15}, [&] {
        QTest::keyClicks(browser->view()->focusProxy(), "typed");
        return evaluate(*browser, "document.getElementById('i').value").toString().size() > 0;
    }));
    ASSERT_TRUE(loadAndWait("/a"));
    EXPECT_EQ(browser->documentTitle(), "Page A");
}

TEST_F(WebEngineBrowserTest, TheTitleIsTheDocumentsOwn) {
    // The engine shows the address as the title of a page without one; here "127.0.0.1:port".
    server->addPage("/", "<html><body>no title here</body></html>");
    QSignalSpy titles(browser, &WebBrowser::TitleChange);
    ASSERT_TRUE(loadAndWait("/"));
    ASSERT_FALSE(titles.isEmpty());
    for (const auto& title : titles)
        EXPECT_EQ(title.at(0).toString(), "");
    EXPECT_EQ(browser->documentTitle(), "");

    // The engine's error page (port 9 is refused) has no title of its own either.
    ASSERT_TRUE(loadAndWait("/a"));
    QSignalSpy complete(browser, &WebBrowser::DocumentComplete);
    browser->navigate("http://127.0.0.1:9/x.html");
    ASSERT_TRUE(complete.wait(20000));
    EXPECT_EQ(browser->documentTitle(), "");
}

// Panes off screen let their renderers go; one that plays sound or has the focus in a field
// only rests. A reload asked for meanwhile waits until the pane is shown, and a discarded page
// comes back at its address with no new title.
TEST_F(WebEngineBrowserTest, PagesOffScreenRestUnlessTheyPlayOrAreTypedInto) {
    using State = QWebEnginePage::LifecycleState;
    server->addPage("/field", htmlPage("Field", "<input id='f'><script>"
                                                "document.getElementById('f').focus();</script>"));
    server->addPage("/sound", htmlPage("Sound", "<script>const c = new AudioContext();"
                                                "const o = c.createOscillator();"
                                                "o.connect(c.destination); o.start();</script>"));
    QWidget tray; // never shown until the end
    auto rested = [&](const QString& path) {
        auto* pane = static_cast<WebEngineBrowser*>(factory.create(&tray));
        pane->page()->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture,
                                               false);
        pane->setHiddenRest(std::chrono::milliseconds(2000));
        pane->navigate(server->origin() + path);
        return pane;
    };
    WebEngineBrowser* quiet = rested("/a");
    WebEngineBrowser* field = rested("/field");
    WebEngineBrowser* sound = rested("/sound");
    const auto in = [](WebEngineBrowser* pane, State state) {
        return QTest::qWaitFor([&] { return pane->page()->lifecycleState() == state; }, 30000);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return sound->page()->recentlyAudible(); }, 30000));
    ASSERT_TRUE(in(quiet, State::Discarded));
    ASSERT_TRUE(in(field, State::Frozen));
    QTest::qWait(2500);
    EXPECT_EQ(field->page()->lifecycleState(), State::Frozen);
    EXPECT_EQ(sound->page()->lifecycleState(), State::Active);
    EXPECT_EQ(quiet->locationUrl(), server->origin() + "/a");

    QSignalSpy fieldLoads(field, &WebBrowser::BeforeNavigate2);
    field->refresh();
    QTest::qWait(500);
    EXPECT_TRUE(fieldLoads.isEmpty());
    QSignalSpy titles(quiet, &WebBrowser::TitleChange);
    QSignalSpy complete(quiet, &WebBrowser::DocumentComplete);
    tray.show();
    ASSERT_TRUE(complete.wait(20000));
    EXPECT_EQ(quiet->page()->lifecycleState(), State::Active);
    EXPECT_TRUE(titles.isEmpty());
    EXPECT_EQ(quiet->documentTitle(), "Page A");
    EXPECT_TRUE(!fieldLoads.isEmpty() || fieldLoads.wait(20000));
}

TEST_F(WebEngineBrowserTest, AddressesReachTheEngineAsGiven) {
    server->addPrefix("/search", htmlPage("Results", ""));
    ASSERT_TRUE(loadAndWait("/search?q=abc  "));
    EXPECT_TRUE(server->requests.contains("/search?q=abc%20%20"));

    // An address that is none shows an error page, and stays what the pane is on.
    QSignalSpy complete(browser, &WebBrowser::DocumentComplete);
    browser->navigate("http://exa mple.com/");
    ASSERT_TRUE(complete.wait(20000));
    EXPECT_EQ(complete.last().at(0).toString(), "http://exa mple.com/");
    EXPECT_EQ(browser->locationUrl(), "http://exa mple.com/");
    EXPECT_EQ(browser->documentTitle(), "");
    EXPECT_TRUE(evaluate(*browser, "document.body.innerText").toString().contains("exa mple.com"));
}

TEST_F(WebEngineBrowserTest, EditCommandsActOnTheSelection) {
    ASSERT_TRUE(loadAndWait("/b"));
    // There is no window manager under the test display: make the window active by hand.
    window->activateWindow();
    test::makeActive(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 2000));
    browser->execWB(OLECMDID_SELECTALL, OLECMDEXECOPT_DONTPROMPTUSER);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return evaluate(*browser, "String(window.getSelection())").toString().contains("tall");
        },
        5000));
    browser->execWB(OLECMDID_FIND, OLECMDEXECOPT_DODEFAULT);
    QWidget* bar = browser->widget()->findChild<QWidget*>("FindBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(WebEngineBrowserTest, PanesRunWithoutPluginsInsecureContentOrLocalAccess) {
    const QWebEngineSettings* settings = browser->page()->settings();
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::PluginsEnabled));
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::AllowRunningInsecureContent));
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls));
}

TEST_F(WebEngineBrowserTest, WebPagesCannotReadFilesAndLocalPagesCannotReachTheWeb) {
    QTemporaryDir folder;
    QFile secret(folder.filePath("secret.txt"));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly) && secret.write("secret") > 0);
    secret.close();
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("picture.png")));
    QFile png(folder.filePath("picture.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    const QString files = QUrl::fromLocalFile(folder.path()).toString();
    server->addPage("/picture.png", png.readAll(), "image/png");
    server->addPage("/data", "data", "text/plain");
    server->addPage("/probe",
                    htmlPage("probing", probeScript(files + "/secret.txt", files + "/secret.txt",
                                                    files + "/picture.png")));
    ASSERT_TRUE(loadAndWait("/probe"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return browser->documentTitle().startsWith("probe http:"); }, 10000));
    EXPECT_EQ(browser->documentTitle(), "probe http: refused refused refused");

    // A page of our own, as a file and through a scheme of the program's, reads no other file
    // and reaches no web address; a click on a link still leaves it.
    const QByteArray local =
        htmlPage("probing", "<a href='" + server->origin() +
                                "/b' style='position:absolute;left:0;top:0;"
                                "width:400px;height:200px;display:block'>b</a>" +
                                probeScript(files + "/secret.txt", server->origin() + "/data",
                                            server->origin() + "/picture.png"));
    QFile file(folder.filePath("local.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(local) > 0);
    file.close();
    scheme->page = local;
    for (const QString& address : {file.fileName(), QStringLiteral("lumera-test://pages/local")}) {
        server->requests.clear();
        QSignalSpy complete(browser, &WebBrowser::DocumentComplete);
        browser->navigate(address);
        ASSERT_TRUE(complete.wait(20000)) << address.toStdString();
        const QString kind = address.startsWith('/') ? "probe file:" : "probe lumera-test:";
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return browser->documentTitle().startsWith(kind); }, 10000));
        EXPECT_EQ(browser->documentTitle(), kind + " refused refused refused");
        EXPECT_FALSE(server->requests.contains("/data") ||
                     server->requests.contains("/picture.png"))
            << address.toStdString();

        // Clicks can land before the first frame is on screen: click until the link is followed.
        for (int attempt = 0; attempt < 10; ++attempt) {
            QTest::mouseClick(browser->view()->focusProxy(), Qt::LeftButton, {}, QPoint(50, 50));
            if (QTest::qWaitFor([&] { return server->requests.contains("/b"); }, 1000))
                break;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return browser->documentTitle() == "Page B"; }, 20000))
            << address.toStdString();
    }
}

// Renderers of an ordinary user's program run in namespaces of their own under a seccomp
// filter. As root the sandbox is off by design; without user namespaces it cannot start.
TEST_F(WebEngineBrowserTest, RenderersRunInTheSandbox) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "runs as root, where the engine's sandbox is off";
    if (!userNamespacesAllowed())
        GTEST_SKIP() << "this machine gives no user namespaces to an ordinary user";
    ASSERT_TRUE(loadAndWait("/a"));
    int renderers = 0;
    for (const QString& status : descendantStatuses()) {
        if (!status.contains("--type=renderer"))
            continue;
        ++renderers;
        EXPECT_TRUE(status.contains(QRegularExpression("\\nSeccomp:\\s+2\\n")))
            << status.toStdString();
        // A pid of its own inside a namespace as well as the outer one.
        EXPECT_TRUE(status.contains(QRegularExpression("\\nNSpid:\\s+\\d+\\s+\\d+")))
            << status.toStdString();
    }
    EXPECT_GE(renderers, 1);
}

TEST_F(WebEngineBrowserTest, QtTheEngineAndTheSitesSpeakChinese) {
    QMessageBox box(QMessageBox::Information, "Lumera桌面", "text", QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");

    ASSERT_TRUE(loadAndWait("/b"));
    ASSERT_FALSE(server->heads.isEmpty());
    EXPECT_TRUE(server->heads.last().contains("\r\nAccept-Language: zh-CN,zh;q=0.9"))
        << server->heads.last().toStdString();

    // A port nobody listens on: the engine's own error page, in Chinese.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const quint16 port = closed.serverPort();
    closed.close();
    browser->navigate(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return evaluate(*browser, "document.body ? document.body.innerText : ''")
                .toString()
                .contains("无法访问此网站");
        },
        15000))
        << evaluate(*browser, "document.body ? document.body.innerText : ''")
               .toString()
               .toStdString();
}
