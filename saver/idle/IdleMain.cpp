#include "saver/idle/IdleMain.h"

#include <cstdio>

namespace lumera::saver {

int idleMain(int, char*[]) {
    std::fputs("空闲启动：尚未完成。\n", stderr);
    return 2;
}

} // namespace lumera::saver
