#include "saver/install/InstallMain.h"

#include <cstdio>

namespace lumera::saver {

int installMain(int, char*[]) {
    std::fputs("设为屏幕保护程序：尚未完成。\n", stderr);
    return 2;
}

} // namespace lumera::saver
