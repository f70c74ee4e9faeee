#include "saver/pixels/Asm.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace lumera::saver {

Asm::Asm() : xfade_(bestXFadeKernel()) {}

std::size_t Asm::xfadeByteCount(std::int32_t Size) {
    if (Size < 4)
        return 0;
    return 12u * static_cast<std::size_t>(Size / 4);
}

std::int32_t Asm::XFade(const std::uint8_t* lpSrc, std::uint8_t* lpDest, std::int32_t Size,
                        std::int32_t Amount) const {
    const std::size_t bytes = xfadeByteCount(Size);
    if (bytes == 0 || !lpSrc || !lpDest)
        return 0;
    xfade_(lpSrc, lpDest, bytes, static_cast<std::uint8_t>(Amount & 0xFF));
    return 0;
}

std::int32_t Asm::RMChar(QString& str, std::uint16_t CharAscii) const {
    if (str.isNull())
        return 0;
    str.remove(QChar(CharAscii));
    return 0;
}

std::uint32_t Asm::Peek(const void* adr) const {
    std::uint32_t value = 0;
    std::memcpy(&value, adr, sizeof value);
    return value;
}

std::int32_t Asm::Movs(void* lpDest, const void* lpSource, std::int32_t ByteCount) const {
    if (ByteCount <= 0)
        return 0;
    auto* d = static_cast<unsigned char*>(lpDest);
    const auto* s = static_cast<const unsigned char*>(lpSource);
    const std::int32_t words = ByteCount / 4;
    // One word at a time, each read before it is written, so that overlapping ranges come
    // out as a forward word copy does.
    for (std::int32_t i = 0; i < words; ++i) {
        std::uint32_t word;
        std::memcpy(&word, s + 4 * i, 4);
        std::memcpy(d + 4 * i, &word, 4);
    }
    for (std::int32_t i = words * 4; i < ByteCount; ++i)
        d[i] = s[i];
    return 0;
}

std::int32_t Asm::CpuID(QString& strBuf) const {
    unsigned regs[3] = {0, 0, 0}; // EBX, EDX, ECX
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0;
    __get_cpuid(0, &eax, &regs[0], &regs[2], &regs[1]);
#endif
    if (strBuf.size() < 12)
        strBuf.resize(12, QChar(' '));
    for (int r = 0; r < 3; ++r)
        for (int b = 0; b < 4; ++b)
            strBuf[r * 4 + b] = QChar(static_cast<char16_t>((regs[r] >> (8 * b)) & 0xFF));
    return 0;
}

} // namespace lumera::saver
