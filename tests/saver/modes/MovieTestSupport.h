#pragma once

#include "platform/web/WebEngineProfile.h"
#include "saver/modes/PlayerScheme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <functional>

namespace lumera::test {

// The application object of a saver test program that plays movies, made on first use the
// way the saver's main() makes it: the player's address scheme is known before it exists.
inline QApplication& saverTestApp() {
    static int argc = 1;
    static char name[] = "saver_tests";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static QApplication* app = [] {
        saver::registerPlayerScheme();
        prepareWebEngineEnvironment();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        return new QApplication(argc, argv);
    }();
    return *app;
}

// The complete program folder the build makes (programs, player, content).
inline QString builtProgramFolder() {
    return qEnvironmentVariable("LUMERA_PROGRAM_DIR");
}

// Lets events run until the condition holds or the time is up; returns the condition.
inline bool waitUntil(const std::function<bool()>& condition, int milliseconds = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace lumera::test
