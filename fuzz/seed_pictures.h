// Picture files made by the encoder, for the seed corpus and for the chain
// target's pictures: every line format, each once whole and well formed and
// once short and damaged (lost lines, gap markers, displaced and foreign
// marker words, junk in the unused high bits, a cut-off end).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbalux::fuzz {

struct SeedPicture {
    std::string name;  // a catalogue name that selects the format
    int lineFormat;
    bool damaged;
    std::vector<std::uint8_t> bytes;
};

const std::vector<SeedPicture>& SeedPictures();

}  // namespace orbalux::fuzz
