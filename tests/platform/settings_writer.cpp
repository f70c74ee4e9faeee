// Writes N keys into one section of "cinema", one write at a time, as a second program would.
#include "platform/settings/SettingsStore.h"

#include <QString>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4)
        return 2;
    lumera::SettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString section = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i)
        if (!store.write("cinema", section, QString("k%1").arg(i), QString::number(i)))
            return 1;
    return 0;
}
