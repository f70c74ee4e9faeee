// Settings files edited by hand into anything: parsing never fails, and what we write reads
// back as what we hold.
#include "platform/settings/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    lumera::IniFile ini = lumera::IniFile::parse(text);
    const QString once = ini.serialise();
    if (lumera::IniFile::parse(once).serialise() != once)
        std::abort();
    // A value of any text survives a write, and so does one under a key of that text.
    ini.setValue("fuzz", "value", text);
    ini.setValue("fuzz", text.left(40), "keyed");
    const lumera::IniFile again = lumera::IniFile::parse(ini.serialise());
    if (again.value("fuzz", "value") != text)
        std::abort();
    if (!text.left(40).trimmed().isEmpty() && again.value("fuzz", text.left(40)) != "keyed")
        std::abort();
    return 0;
}
