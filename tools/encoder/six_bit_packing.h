// Six-bit packing: three 8-bit values travel as four bytes that carry six
// bits each in their low bits, the first value's bits most significant.
// Picture lines and header text use the same packing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orbalux::encoder {

// Deterministic source of junk for the two unused high bits of packed bytes,
// so that a file can prove its reader ignores them.
class HighBitJunk {
public:
    explicit HighBitJunk(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    // Eight random bits: two for each byte of one group.
    std::uint8_t Next();

private:
    std::uint32_t state_;
};

// Packs three values into one group. `highBits` gives the two top bits of
// the four bytes, byte 0's in bits 7-6 down to byte 3's in bits 1-0.
std::array<std::uint8_t, 4> PackGroup(std::uint8_t first, std::uint8_t second,
                                      std::uint8_t third, std::uint8_t highBits = 0);

// Packs values three at a time (a short last group is completed with zeros),
// appending the groups to `out`. With `junk`, every byte gets random high bits.
void AppendPacked(std::span<const std::uint8_t> values, std::vector<std::uint8_t>& out,
                  HighBitJunk* junk = nullptr);

}  // namespace orbalux::encoder
