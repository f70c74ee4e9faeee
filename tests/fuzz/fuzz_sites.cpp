// The user's sites.ini: nothing in it can make a service point at something that is no origin.
#include "platform/sites/SiteTable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    lumera::SiteTable table({{"cri", "https://www.cri.cn"}, {"vendor", "file:///opt/vendor"}});
    table.applyOverrides(text);
    for (const QString& service : table.services()) {
        const QString origin = table.origin(service);
        if (origin.isEmpty() || !origin.contains("://") || origin.contains('\n') ||
            origin.contains(' '))
            std::abort();
    }
    return 0;
}
