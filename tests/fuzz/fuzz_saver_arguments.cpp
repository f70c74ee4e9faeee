// The saver's command line as an engine or a user gives it, the window variable beside it, and
// the stored rotation value. The input, read as UTF-8 and split at 0 bytes, is the arguments
// after the program name; the first one is also XSCREENSAVER_WINDOW and the last one the
// stored "loadtime".
#include "FuzzSupport.h"
#include "saver/engine/EngineLaunch.h"
#include "saver/modes/ModeChoice.h"

#include <QStringList>
#include <cstdint>
#include <cstring>

using namespace lumera::fuzz;
using namespace lumera::saver;

namespace {

// The mode of a run, and what the next rotation run does after it.
void checkChoice(std::int32_t commandLineMode, const QString& storedLoadtime) {
    const ModeChoice choice = chooseMode(commandLineMode, storedLoadtime);
    if (commandLineMode != 0) {
        require(choice.mode == commandLineMode && !choice.storeLoadtime);
        return;
    }
    require(choice.mode >= 1 && choice.mode <= 9);
    require(choice.storeLoadtime == QString::number(choice.mode));
    require(chooseMode(0, *choice.storeLoadtime).mode == choice.mode % 9 + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList arguments = text.split(QChar(0));
    const QString joined = arguments.join(' ');
    const EngineLaunch launch = readEngineLaunch(arguments, arguments.first());

    // A window to go into, or a window named that is none, never both; the saver runs by hand
    // only where nothing named a window.
    require(!(launch.window && launch.unreadableWindow));
    require(launch.fromEngine() == launch.window.has_value());
    require(!launch.window || *launch.window != 0);
    if (launch.window || launch.unreadableWindow)
        require(arguments.first().size() > 0 || joined.contains("window-id"));
    // Without a flag, the arguments are the mode text, whole and in their order.
    if (!text.contains('-'))
        require(launch.mode == readModeArgument(joined));

    const std::int32_t mode = launch.mode;
    // Blanks around the number change nothing.
    require(readModeArgument(QStringLiteral(" \t") + joined + QChar(0x3000) + ' ') ==
            readModeArgument(joined));
    if (mode != 0)
        require(readModeArgument(QString::number(mode)) == mode);
    checkChoice(mode, arguments.last());
    checkChoice(0, arguments.last());

    // Any 32-bit number reads as itself, also with a fraction below one half.
    if (size >= sizeof(std::int32_t)) {
        std::int32_t number = 0;
        std::memcpy(&number, data, sizeof number);
        require(readModeArgument(QString::number(number)) == number);
        require(readModeArgument(QString::number(number) + QStringLiteral(".4")) == number);
        checkChoice(0, QString::number(number));
    }
    return 0;
}
