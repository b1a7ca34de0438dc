#pragma once
#include <bit>
#include <cstdint>

namespace quorin {

// Text scanned eight bytes at a time, as one 64-bit word.

// `unit` in every byte of a word.
constexpr std::uint64_t byteLanes(std::uint64_t unit) {
    return unit * 0x0101010101010101ULL;
}

// Bit 7 set in the zero bytes of `w`. The lowest flagged byte is the first
// zero byte; a borrow may flag bytes above it as well.
constexpr std::uint64_t zeroByteFlags(std::uint64_t w) {
    return (w - byteLanes(1)) & ~w & byteLanes(0x80);
}

// The first flagged byte of a word read little-endian (first byte lowest);
// 8 when none is.
constexpr int firstFlaggedByte(std::uint64_t flags) {
    return flags == 0 ? 8 : std::countr_zero(flags) / 8;
}

// The letters among eight ASCII bytes lowered: bit 7 of a lane marks
// 'A'..'Z', and shifted to bit 5 it lowers them. Lanes of 0x80 and above may
// disturb their neighbours.
constexpr std::uint64_t lowerAsciiWord(std::uint64_t w) {
    const std::uint64_t upper =
        (w + byteLanes(0x80 - 'A')) & ~(w + byteLanes(0x7F - 'Z')) & byteLanes(0x80);
    return w | (upper >> 2);
}

} // namespace quorin
