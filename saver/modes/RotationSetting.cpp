#include "saver/modes/RotationSetting.h"

#include "platform/settings/SettingsStore.h"
#include "saver/SaverPaths.h"

namespace lumera::saver {

namespace {

const QString kRotationSection = QStringLiteral("ScreenSave");
const QString kRotationKey = QStringLiteral("loadtime");

} // namespace

ModeChoice chooseModeAndAdvanceRotation(SettingsStore& settings, std::int32_t commandLineMode) {
    const ModeChoice choice =
        chooseMode(commandLineMode, settings.read(kSaverApp, kRotationSection, kRotationKey));
    if (choice.storeLoadtime)
        settings.write(kSaverApp, kRotationSection, kRotationKey, *choice.storeLoadtime);
    return choice;
}

} // namespace lumera::saver
