// Six-bit unpacking, shared by the header text and the picture lines: only the
// low six bits of each file byte count, and four bytes b0 b1 b2 b3 give one
// 24-bit value, most significant first, that holds three 8-bit values.
#pragma once

#include <cstdint>

namespace orbalux {

inline void UnpackSixBitGroup(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                              std::uint8_t* out) {
    const unsigned c0 = b0 & 63u, c1 = b1 & 63u, c2 = b2 & 63u, c3 = b3 & 63u;
    out[0] = static_cast<std::uint8_t>(c0 << 2 | c1 >> 4);
    out[1] = static_cast<std::uint8_t>((c1 & 15u) << 4 | c2 >> 2);
    out[2] = static_cast<std::uint8_t>((c2 & 3u) << 6 | c3);
}

}  // namespace orbalux
