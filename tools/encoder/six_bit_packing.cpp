#include "tools/encoder/six_bit_packing.h"

namespace orbalux::encoder {

std::uint8_t HighBitJunk::Next() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<std::uint8_t>(state_ >> 24);
}

std::array<std::uint8_t, 4> PackGroup(std::uint8_t first, std::uint8_t second,
                                      std::uint8_t third, std::uint8_t highBits) {
    const std::uint32_t bits = (std::uint32_t{first} << 16) | (std::uint32_t{second} << 8) | third;
    std::array<std::uint8_t, 4> group{};
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t six = (bits >> (18 - 6 * i)) & 0x3F;
        const std::uint32_t top = (highBits >> (6 - 2 * i)) & 0x03;
        group[i] = static_cast<std::uint8_t>((top << 6) | six);
    }
    return group;
}

void AppendPacked(std::span<const std::uint8_t> values, std::vector<std::uint8_t>& out,
                  HighBitJunk* junk) {
    for (std::size_t i = 0; i < values.size(); i += 3) {
        const std::uint8_t a = values[i];
        const std::uint8_t b = i + 1 < values.size() ? values[i + 1] : 0;
        const std::uint8_t c = i + 2 < values.size() ? values[i + 2] : 0;
        const auto group = PackGroup(a, b, c, junk ? junk->Next() : 0);
        out.insert(out.end(), group.begin(), group.end());
    }
}

}  // namespace orbalux::encoder
