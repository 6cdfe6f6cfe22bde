#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace jw::rtf::detail {

/// Bytes that are plain text in the body: printable ASCII except \ { }.
struct PlainTable {
    std::array<bool, 256> plain{};
    constexpr PlainTable()
    {
        for (int c = 0x20; c < 0x7F; ++c)
            plain[c] = c != '\\' && c != '{' && c != '}';
    }
};
inline constexpr PlainTable kPlain;

/// The high bit of each of the eight bytes in `w` that is not plain text,
/// and perhaps of bytes after the first such byte: the tests borrow and
/// carry towards higher bytes only, so the lowest bit set is exact.
constexpr std::uint64_t notPlainBits(std::uint64_t w)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const auto zeroBytes = [](std::uint64_t v) { return (v - ones) & ~v & highs; };
    const std::uint64_t below = (w - ones * 0x20) & ~w & highs;
    const std::uint64_t above = ((w + ones) | w) & highs; // a byte past 0x7E
    return below | above | zeroBytes(w ^ (ones * '\\')) | zeroBytes(w ^ (ones * '{')) | zeroBytes(w ^ (ones * '}'));
}

/// Copies the plain text at the start of [p, end) to `dst`, eight bytes at
/// a time; returns where the plain text ends.
inline const unsigned char *copyPlain(const unsigned char *p, const unsigned char *end, char16_t *dst)
{
    while (end - p >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, sizeof w);
        const std::uint64_t bits = notPlainBits(w);
        for (int k = 0; k < 8; ++k)
            dst[k] = p[k]; // harmless past the plain text: the caller has room
        if (bits != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return p + std::countr_zero(bits) / 8;
            break;
        }
        p += 8;
        dst += 8;
    }
    while (p < end && kPlain.plain[*p])
        *dst++ = *p++;
    return p;
}

inline bool isAlpha(unsigned char c) { return static_cast<unsigned char>((c | 0x20) - 'a') < 26; }
inline bool isDigit(unsigned char c) { return static_cast<unsigned char>(c - '0') < 10; }
inline int hexValue(unsigned char c)
{
    if (isDigit(c))
        return c - '0';
    const unsigned char lower = c | 0x20;
    return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
}

} // namespace jw::rtf::detail
