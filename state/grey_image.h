// A plain 8-bit grey picture, one byte per pixel, rows top to bottom: what
// the encoder writes into a file and what the converter and the browser show.
#pragma once

#include <cstdint>
#include <cstddef>
#include <vector>

namespace orbalux {

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width x height bytes

    GreyImage() = default;
    GreyImage(int w, int h, std::uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const std::uint8_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

}  // namespace orbalux
