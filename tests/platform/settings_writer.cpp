// Writes N keys into one section of "cinema", one write at a time, as a second program would;
// with "--increment" it instead adds one to that section's "n" N times, each a locked update.
#include "platform/settings/SettingsStore.h"

#include <QString>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "--increment") == 0))
        return 2;
    lumera::SettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString section = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    const bool increment = argc == 5;
    for (int i = 0; i < count; ++i) {
        const bool written =
            increment
                ? store.update("cinema",
                               [&](lumera::IniFile& values) {
                                   const int n = values.value(section, "n").value_or("0").toInt();
                                   values.setValue(section, "n", QString::number(n + 1));
                                   return true;
                               })
                : store.write("cinema", section, QString("k%1").arg(i), QString::number(i));
        if (!written)
            return 1;
    }
    return 0;
}
