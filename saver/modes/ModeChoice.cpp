#include "saver/modes/ModeChoice.h"

#include "platform/text/VbNumber.h"

namespace lumera::saver {

ModeChoice chooseMode(std::int32_t commandLineMode, const QString& storedLoadtime) {
    if (commandLineMode != 0)
        return {commandLineMode, std::nullopt};
    // In 64 bits, so that the largest stored value wraps to 1 instead of overflowing. A value
    // below 0 (edited by hand) starts the rotation again too: there is no mode 0 or below to
    // show, and the rotation would otherwise show nothing for that many runs.
    std::int64_t next = std::int64_t(readVbLong(storedLoadtime).value_or(0)) + 1;
    if (next > 9 || next < 1)
        next = 1;
    const auto mode = static_cast<std::int32_t>(next);
    return {mode, QString::number(mode)};
}

SaverContent contentOfMode(std::int32_t mode) {
    switch (mode) {
    case 2:
        return SaverContent::WebPage;
    case 7:
        return SaverContent::PhotoFade;
    default:
        return movieFolderOfMode(mode).isEmpty() ? SaverContent::None : SaverContent::MovieFolder;
    }
}

QString movieFolderOfMode(std::int32_t mode) {
    switch (mode) {
    case 1:
        return QStringLiteral("earth");
    case 3:
        return QStringLiteral("beautful");
    case 4:
        return QStringLiteral("pusa");
    case 5:
        return QStringLiteral("flower");
    case 6:
        return QStringLiteral("clock");
    case 8:
        return QStringLiteral("lianhua");
    case 9:
        return QStringLiteral("chuangyi");
    default:
        return {};
    }
}

} // namespace lumera::saver
