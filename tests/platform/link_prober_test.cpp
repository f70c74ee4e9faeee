#include "platform/net/NetworkLinkProber.h"
#include "support/LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lumera;
using lumera::test::LoopbackHttpServer;

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "net-tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit it would go after Qt Network's own statics, and its last
    // signal reach them (a crash at exit under Qt 6.8).
    static auto* app = new QCoreApplication(argc, argv);
    return *app;
}

// The answers for the addresses, all asked at once.
QHash<QString, LinkAnswer> probeAll(LinkProber& prober, const QStringList& addresses) {
    QHash<QString, LinkAnswer> answers;
    QEventLoop loop;
    for (const QString& address : addresses) {
        prober.probe(address, [&, address](const LinkAnswer& answer) {
            answers.insert(address, answer);
            if (answers.size() == addresses.size())
                loop.quit();
        });
    }
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return answers;
}

} // namespace

TEST(NetworkLinkProber, EveryKindOfAnswer) {
    application();
    LoopbackHttpServer server;
    server.addPage("/ok", "<html>ok</html>");
    server.addRedirect("/away", QStringLiteral("http://localhost:%1/ok").arg(server.port()));
    server.addRedirect("/loop", "/loop");
    for (int i = 1; i <= 5; ++i) // five redirects are followed
        server.addRedirect(QStringLiteral("/r%1").arg(i), QStringLiteral("/r%1").arg(i + 1));
    server.addRedirect("/r6", "/ok");
    server.addPage("/nohead", "<html>no head</html>");
    server.refuseHead("/nohead");
    server.neverAnswer("/silent");
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    NetworkLinkProber prober(1500);
    const QString o = server.origin();
    QElapsedTimer clock;
    clock.start();
    const auto answers =
        probeAll(prober, {o + "/ok", o + "/away", o + "/loop", o + "/gone", o + "/nohead",
                          o + "/silent", refused, o + "/r1", o + "/r2"});
    ASSERT_EQ(answers.size(), 9);
    EXPECT_LT(clock.elapsed(), 8000);
    const auto expect = [&](const QString& address, LinkAnswer::Outcome outcome, int status,
                            const QString& final = {}) {
        const LinkAnswer& a = answers[address];
        EXPECT_EQ(a.outcome, outcome) << address.toStdString();
        EXPECT_EQ(a.status, status) << address.toStdString();
        if (!final.isEmpty()) {
            EXPECT_EQ(a.finalAddress, final) << address.toStdString();
        }
    };
    expect(o + "/ok", LinkAnswer::Answered, 200, o + "/ok");
    expect(o + "/away", LinkAnswer::Answered, 200,
           QStringLiteral("http://localhost:%1/ok").arg(server.port()));
    expect(o + "/loop", LinkAnswer::TooManyRedirects, 0);
    expect(o + "/r1", LinkAnswer::TooManyRedirects, 0); // six redirects
    expect(o + "/r2", LinkAnswer::Answered, 200, o + "/ok");
    expect(o + "/gone", LinkAnswer::Answered, 404);
    expect(o + "/nohead", LinkAnswer::Answered, 200);
    expect(o + "/silent", LinkAnswer::TimedOut, 0);
    expect(refused, LinkAnswer::Refused, 0);
    // HEAD first everywhere; the page that refuses it is asked with a GET.
    int heads = 0, gets = 0;
    for (const QByteArray& head : server.heads) {
        heads += head.startsWith("HEAD ");
        gets += head.startsWith("GET /nohead");
    }
    EXPECT_EQ(gets, 1);
    EXPECT_EQ(heads, server.heads.size() - 1);
}

TEST(NetworkLinkProber, SixAtOnceForAllItsUsers) {
    application();
    LoopbackHttpServer server;
    server.neverAnswer("/");
    NetworkLinkProber prober(700);
    QStringList addresses;
    for (int i = 0; i < 9; ++i)
        addresses.append(server.origin() + QStringLiteral("/%1").arg(i));
    qsizetype askedBeforeAnAnswer = -1;
    QEventLoop loop;
    int answers = 0;
    for (const QString& address : addresses) {
        prober.probe(address, [&](const LinkAnswer& answer) {
            EXPECT_EQ(answer.outcome, LinkAnswer::TimedOut);
            if (askedBeforeAnAnswer < 0)
                askedBeforeAnAnswer = server.requests.size();
            if (++answers == addresses.size())
                loop.quit();
        });
    }
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(askedBeforeAnAnswer, 6);
    EXPECT_EQ(answers, addresses.size());
    EXPECT_EQ(server.requests.size(), addresses.size());
}

TEST(NetworkLinkProber, HttpsToPlainHttpIsNotFollowed) {
    application();
    LoopbackHttpServer plain;
    plain.addPage("/ok", "<html>ok</html>");
    LoopbackHttpServer secure(true);
    secure.addPage("/ok", "<html>ok</html>");
    secure.addRedirect("/down", plain.origin() + "/ok");
    NetworkLinkProber prober(5000);
    const QString o = secure.origin();
    const auto answers = probeAll(prober, {o + "/ok", o + "/down"});
    ASSERT_EQ(answers.size(), 2);
    EXPECT_EQ(answers[o + "/ok"].status, 200) << answers[o + "/ok"].error.toStdString();
    EXPECT_EQ(answers[o + "/down"].outcome, LinkAnswer::Answered);
    EXPECT_EQ(answers[o + "/down"].status, 302);
    EXPECT_EQ(answers[o + "/down"].finalAddress, plain.origin() + "/ok");
    EXPECT_TRUE(plain.requests.isEmpty());
}

TEST(NetworkLinkProber, ACancelledRequestNeverAnswers) {
    application();
    LoopbackHttpServer server;
    server.neverAnswer("/");
    NetworkLinkProber prober(500);
    bool answered = false;
    const int id =
        prober.probe(server.origin() + "/x", [&](const LinkAnswer&) { answered = true; });
    QEventLoop loop;
    QObject::connect(&server, &LoopbackHttpServer::requested, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    prober.cancel(id);
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(answered);
}
