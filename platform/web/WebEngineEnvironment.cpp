#include "platform/web/WebEngineEnvironment.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMutex>
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

// Set when the machine has no graphics processor: nothing is drawn with OpenGL.
bool withoutOpenGL = false;

// Adds a flag for the engine, which reads them once, when it starts; one the user set stays.
void addEngineFlag(const QByteArray& name, const QByteArray& value = {}) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(name))
        return;
    flags += flags.isEmpty() ? "" : " ";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + name + value);
}

// Messages that report a choice made here, not a fault, are left out of the program's output;
// every other message goes on as before. Any thread may print while one is added.
void leaveOutMessage(QLatin1String text) {
    static QMutex lock;
    static QList<QLatin1String> texts;
    static QtMessageHandler next = nullptr;
    const QMutexLocker locker(&lock);
    if (texts.isEmpty()) {
        next = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                QMutexLocker held(&lock);
                for (const QLatin1String& left : texts) {
                    if (message.contains(left))
                        return;
                }
                held.unlock();
                next(type, context, message);
            });
    }
    texts.append(text);
}

// Widgets that render with OpenGL look at the attribute. Set after the application object, it
// draws a warning meant for programs that count on QApplication to make the shared context;
// shareOpenGLContexts() makes it right after, so that warning is left out.
void setShareAttribute() {
    if (QCoreApplication::instance())
        leaveOutMessage(QLatin1String("AA_ShareOpenGLContexts"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// Whether the variable was set here: one the user set stays.
bool setUnlessSet(const char* name, const QByteArray& value) {
    if (!qEnvironmentVariableIsEmpty(name))
        return false;
    qputenv(name, value);
    return true;
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

void drawWithoutOpenGL() {
    withoutOpenGL = true;
    // Qt's windows get no OpenGL on X11 or Wayland, the engine's view is drawn by Qt Quick's
    // software renderer, and the engine composites its pages on the processor.
    setUnlessSet("QT_XCB_GL_INTEGRATION", "none");
    // Wayland's platform knows no such word: a name it has no plugin for leaves it without
    // OpenGL, and it says so.
    if (setUnlessSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "none"))
        leaveOutMessage(QLatin1String("Failed to load client buffer integration"));
    setUnlessSet("QT_QUICK_BACKEND", "software");
    addEngineFlag("--disable-gpu");
    // Newer engines also look for a Vulkan device at their start, and the drivers that look
    // (a software one among them) can never be unloaded: Vulkan's loader is to load none.
    setUnlessSet("VK_LOADER_DRIVERS_DISABLE", "*");
    // As it starts, the engine still looks for OpenGL, and newer ones for Vulkan, to learn the
    // graphics processor's maker, and each part says it found none: what was asked for.
    for (const char* found :
         {"No suitable graphics backend found", "neither GLX nor EGL are enabled",
          "QRhiGles2: Failed to create", "Failed to create Vulkan instance",
          "Failed to create platform Vulkan instance", "Unable to detect GPU vendor"})
        leaveOutMessage(QLatin1String(found));
}

void shareOpenGLContexts() {
    setShareAttribute();
    if (withoutOpenGL || !qGuiApp || qt_gl_global_share_context())
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

void launchUnsandboxedHelpersDirectly() {
    addEngineFlag("--no-unsandboxed-zygote");
}

void keepNoSpareRenderer() {
    // A value the user gave for the switch stays: the engine reads only the last one.
    addEngineFlag("--disable-features=", "SpareRendererForSitePerProcess");
}

} // namespace lumera
