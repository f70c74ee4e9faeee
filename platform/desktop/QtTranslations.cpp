#include "platform/desktop/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumera {

bool installChineseQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    bool base = false;
    for (const char* catalogue : {"qtbase", "qtmultimedia", "qtwebengine"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(chinese, QString::fromLatin1(catalogue), QStringLiteral("_"),
                             folder)) {
            QCoreApplication::installTranslator(translator);
            base = base || QLatin1String(catalogue) == QLatin1String("qtbase");
        } else {
            delete translator;
        }
    }
    return base;
}

} // namespace lumera
