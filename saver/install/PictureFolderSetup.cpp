#include "saver/install/PictureFolderSetup.h"

#include "platform/settings/SettingsStore.h"
#include "saver/SaverPaths.h"

namespace lumera::saver {

bool storeDefaultPictureFolder(SettingsStore& settings, const QString& picturesFolder) {
    bool stored = false;
    // Under the file's lock: two copies starting at once (an engine's, one a screen) store
    // it once, and neither writes over a folder the other has just stored.
    settings.update(kSaverApp, [&](IniFile& values) {
        if (values.value(kPictureSection, kPictureKey))
            return false;
        values.setValue(kPictureSection, kPictureKey, picturesFolder);
        stored = true;
        return true;
    });
    return stored;
}

} // namespace lumera::saver
