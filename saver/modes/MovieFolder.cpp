#include "saver/modes/MovieFolder.h"

#include "platform/settings/SettingsStore.h"
#include "platform/text/VbNumber.h"
#include "saver/SaverPaths.h"

#include <QFile>
#include <QFileInfo>

namespace lumera::saver {

namespace {

const QString kSection = QStringLiteral("ScreenSave");

} // namespace

QString movieIndexKey(const QString& folderName) {
    return QStringLiteral("loadswf_") + folderName;
}

int readMovieIndex(const SettingsStore& settings, const QString& folderName) {
    return readVbLong(settings.read(kSaverApp, kSection, movieIndexKey(folderName))).value_or(0);
}

void writeMovieIndex(SettingsStore& settings, const QString& folderName, int index) {
    settings.write(kSaverApp, kSection, movieIndexKey(folderName), QString::number(index));
}

int movieIndexInList(int storedIndex, int count) {
    if (storedIndex < 0 || count - 1 < storedIndex)
        return 0;
    return storedIndex;
}

bool replaceWorkingCopy(const QString& source, const QString& workingCopy) {
    QFile::remove(workingCopy);
    if (!QFileInfo(source).isFile())
        return false;
    return QFile::copy(source, workingCopy);
}

} // namespace lumera::saver
