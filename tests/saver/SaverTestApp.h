#pragma once

#include <QApplication>
#include <QString>
#include <ostream>

namespace lumera::test {

// The one application object of a saver test program, made on first use.
inline QApplication& saverFormTestApp() {
    static int argc = 1;
    static char name[] = "saver_tests";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace lumera::test

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
