#pragma once

// How the web engine is to start, set before it does; none of this needs its libraries.
namespace lumera {

// The language the engine speaks and asks sites for.
inline constexpr char kWebLanguage[] = "zh-CN";

// Chromium's sandbox cannot run as root; only then is it turned off, before the first view
// exists. Call in main() before the application object is made, or at least before any
// QtWebEngine object.
void prepareWebEngineEnvironment();

// Qt's OpenGL contexts shared with the engine's, which it needs (Qt::AA_ShareOpenGLContexts).
// Called before the application object is made, QApplication makes the shared context as it
// starts, loading the OpenGL driver. Called later, the context is made at once, as the
// application object would have made it; a program that starts the engine late calls it just
// before the engine's libraries are loaded. After drawWithoutOpenGL() only the attribute is set.
void shareOpenGLContexts();

// Nothing is drawn with OpenGL, and no Vulkan driver is loaded: Qt's windows and the engine's
// pages are drawn on the processor. For a machine without a graphics processor, where either
// would be a software driver that the engine does not draw with, but that loads a compiler of
// some 30 MiB into the process for good. Call before the application object is made.
void drawWithoutOpenGL();

// One renderer process for all pages of a site instead of one for every page that was not
// opened from another: panes of one site share it, and pages of different sites still never
// share one. Call before the first QtWebEngine object, as prepareWebEngineEnvironment().
void shareRenderersBySite();

// No renderer process is started ahead to wait for the next site: a program that rests in the
// tray would hold one all day for a navigation that may never come. Call as the one above.
void keepNoSpareRenderer();

// The engine keeps two zygote processes that the others are forked from, one for processes in
// the sandbox and one for helpers outside it. Korvid's engine runs its GPU and network work in
// its own process and starts no such helper while it rests: the second zygote is left out, and
// a helper that is needed after all is started directly. Call as the one above.
void launchUnsandboxedHelpersDirectly();

} // namespace lumera
