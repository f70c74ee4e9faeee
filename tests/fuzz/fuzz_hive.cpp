// The registry hive file: any text parses, and what is written reads back the same.
#include "platform/registry/HiveFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    lumera::HiveFile hive = lumera::HiveFile::parse(text);
    const QString once = hive.serialise();
    if (lumera::HiveFile::parse(once).serialise() != once)
        std::abort();
    hive.setValue("HKEY_CURRENT_USER\\Fuzz", "v", text);
    if (lumera::HiveFile::parse(hive.serialise()).value("HKEY_CURRENT_USER\\Fuzz", "v") != text)
        std::abort();
    return 0;
}
