#pragma once

#include "saver/pixels/XFadeKernels.h"

#include <QString>
#include <cstdint>

namespace lumera::saver {

// The saver's small set of pixel and memory routines. Every routine returns 0 (success) as
// its status. XFade is the only one the fade needs; it runs the fastest kernel the processor
// has, chosen when the set is made.
class Asm {
public:
    Asm();

    // For each byte j below 12 * floor(Size / 4): lpDest[j] = (lpSrc[j] * a) >> 8, where a is
    // the low 8 bits of Amount (256 gives black, 255 gives 255/256 of the source). With Size
    // the pixel count of a 24-bit surface this covers its pixel bytes. Below 4 nothing is done.
    std::int32_t XFade(const std::uint8_t* lpSrc, std::uint8_t* lpDest, std::int32_t Size,
                       std::int32_t Amount) const;
    // Removes, in place, every UTF-16 code unit equal to CharAscii. A null string stays null.
    std::int32_t RMChar(QString& str, std::uint16_t CharAscii) const;
    // The 32-bit value stored at adr.
    std::uint32_t Peek(const void* adr) const;
    // Copies ByteCount bytes in ascending address order: whole 32-bit words first, then the
    // remaining 0 to 3 bytes.
    std::int32_t Movs(void* lpDest, const void* lpSource, std::int32_t ByteCount) const;
    // Writes the processor's 12-character vendor identification into strBuf, one character
    // per byte (EBX, EDX, ECX, each from its lowest byte up).
    std::int32_t CpuID(QString& strBuf) const;

    // The bytes XFade touches for a Size: 12 * floor(Size / 4), nothing below 4.
    static std::size_t xfadeByteCount(std::int32_t Size);

private:
    XFadeKernel xfade_;
};

} // namespace lumera::saver
