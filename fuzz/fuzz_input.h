// How the fuzz targets read their input. A load input is four setting bytes
// and then the picture file's bytes:
//   byte 0-1  which name from FuzzNames() (little-endian, modulo the count)
//   byte 2    bit 0: CompressMissingLines, bit 1: HorizontalStretchOn
//   byte 3    the eight menu options, bit 0 Stretch ... bit 7 FillMissingLine
//   byte 4-   the file (0 to 2,200,000 bytes)
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "state/picture_state.h"

namespace orbalux::fuzz {

constexpr std::size_t kLoadSettingBytes = 4;
constexpr std::size_t kMaxFuzzFileBytes = 2'200'000;

struct LoadInput {
    std::string name;
    int compressMissingLines = 1;
    int horizontalStretch = 0;
    DisplayOptions menu;
    std::span<const std::uint8_t> file;
};

LoadInput ParseLoadInput(std::span<const std::uint8_t> data);

// The setting bytes that ParseLoadInput reads back as these values.
std::vector<std::uint8_t> LoadSettingBytes(std::size_t nameIndex, int compress, int stretch, std::uint8_t menuBits);

DisplayOptions OptionsFromBits(std::uint8_t bits);

// One load as the viewer does it, from a file written with the input's name
// and bytes; the working buffers are kept for the caller to inspect. False
// when the load refuses the file for holding no picture line.
bool LoadFromInput(PictureState& state, const LoadInput& input);

}  // namespace orbalux::fuzz
