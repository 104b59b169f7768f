// The distribution of grey levels in the shown picture.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "state/grey_image.h"

namespace orbalux {

struct GreyHistogram {
    std::array<long long, 256> counts{};  // pixels of each grey level
    long long pixels = 0;
    int minimum = 0;    // lowest level present; 0 for no pixels
    int maximum = 0;    // highest level present; 0 for no pixels
    double mean = 0.0;  // 0 for no pixels
};

// From counts already made: pixels of each grey level.
GreyHistogram HistogramOfCounts(const std::array<long long, 256>& counts);

// Over 8-bit grey levels, one byte per pixel.
GreyHistogram HistogramOf(std::span<const std::uint8_t> levels);

// Over a shown picture; with `counts`, only over the pixels (column, row) it
// accepts.
GreyHistogram HistogramOf(const GreyImage& picture, const std::function<bool(int x, int y)>& counts = {});

}  // namespace orbalux
