// The floor of Korvid's memory: bare windows, each holding nothing but one browser view on the
// same page, started as Korvid starts its engine. One window opens at start and one more for
// every line read from standard input; "loaded N" is written when N windows have loaded.
//
//   memory_floor [--process-per-site] ADDRESS
#include "platform/screen/GraphicsDevice.h"
#include "platform/web/WebEngineEnvironment.h"
#include "platform/web/WebEngineProfile.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <unistd.h>

using namespace lumera;

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.removeAll(QStringLiteral("--process-per-site")) > 0)
        shareRenderersBySite();
    if (arguments.size() != 1) {
        QTextStream(stderr) << "usage: memory_floor [--process-per-site] ADDRESS\n";
        return 2;
    }
    prepareWebEngineEnvironment();
    if (!hasGraphicsDevice())
        drawWithoutOpenGL();
    shareOpenGLContexts();
    QApplication app(argc, argv);
    auto* profile = new QWebEngineProfile(QStringLiteral("Floor"), &app);
    const QUrl address(arguments.first());
    int loaded = 0;
    auto openWindow = [&] {
        auto* view = new QWebEngineView;
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->setPage(new QWebEnginePage(profile, view));
        QObject::connect(view, &QWebEngineView::loadFinished, view,
                         [&loaded] { QTextStream(stdout) << "loaded " << ++loaded << Qt::endl; });
        view->load(address);
        view->showMaximized();
    };
    openWindow();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[256];
        const ssize_t got = ::read(STDIN_FILENO, line, sizeof line);
        if (got <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (line[i] == '\n')
                openWindow();
        }
    });
    const int status = app.exec();
    qDeleteAll(QApplication::topLevelWidgets());
    return status;
}
