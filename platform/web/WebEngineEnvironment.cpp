#include "platform/web/WebEngineEnvironment.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <unistd.h>
#include <utility>

// Qt's global shared context, which QApplication makes when the attribute is set before it.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace lumera {

namespace {

// Adds a flag for the engine, which reads them once, when it starts; one the user set stays.
void addEngineFlag(const QByteArray& name, const QByteArray& value = {}) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(name))
        return;
    flags += flags.isEmpty() ? "" : " ";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + name + value);
}

// Widgets that render with OpenGL look at the attribute. Set after the application object, it
// draws a warning meant for programs that count on QApplication to make the shared context;
// shareOpenGLContexts() makes it right after, so that one warning is left out.
void setShareAttribute() {
    if (!QCoreApplication::instance()) {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        return;
    }
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("AA_ShareOpenGLContexts")) && previous)
                previous(type, context, text);
        });
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(previous);
}

} // namespace

void prepareWebEngineEnvironment() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The engine's own texts (error pages, form controls, date pickers) in Chinese, whatever
    // the system's locale.
    addEngineFlag("--lang=", kWebLanguage);
    // The engine reports how it set itself up (GL type, its start-up parameters) at every
    // start: no problem of the user's. QT_LOGGING_RULES still shows it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

void shareOpenGLContexts() {
    setShareAttribute();
    if (!qGuiApp || qt_gl_global_share_context())
        return;
    static QOpenGLContext* context = nullptr;
    context = new QOpenGLContext;
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
    // After the engine, which lets go of its contexts as the application object ends.
    qAddPostRoutine([] {
        qt_gl_set_global_share_context(nullptr);
        delete std::exchange(context, nullptr);
    });
}

void shareRenderersBySite() {
    // Without strict site isolation the engine counts every site that does not ask for a
    // process of its own as one: all pages would share one renderer.
    addEngineFlag("--site-per-process");
    addEngineFlag("--process-per-site");
}

void keepNoSpareRenderer() {
    // A value the user gave for the switch stays: the engine reads only the last one.
    addEngineFlag("--disable-features=", "SpareRendererForSitePerProcess");
}

} // namespace lumera
