// The text-file reader: GB18030 decoding and line splitting of arbitrary bytes.
#include "platform/text/AnsiCodec.h"
#include "platform/text/TextFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = lumera::splitTextLines(bytes);
    for (const QString& line : lines) {
        if (line.isEmpty() || line.contains('\r') || line.contains('\n'))
            std::abort();
        // Whatever was decoded encodes again without loss of the line structure.
        if (lumera::encodeAnsi(line).contains('\n'))
            std::abort();
    }
    if (lumera::splitTextLines(bytes, 3).size() > 3)
        std::abort();
    return 0;
}
