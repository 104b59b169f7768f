// Statistics and histograms of a band over its data pixels only: filler rows
// of lost lines, rows past the end of the file, the zero column and the grey
// fields are not picture and must not pull a mean towards black or grey.
// (GDAL's own statistics read every pixel whatever the mask says.)
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orbalux::gdal {

struct BandStatistics {
    double min = 0, max = 0, mean = 0, stdDev = 0;
    std::uint64_t count = 0;  // data pixels
};

// Over the pixels whose mask byte is not 0 (all of them when `mask` is empty).
BandStatistics DataStatistics(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> mask);

// `buckets` counts of the data pixels over [min, max), as GDAL's histograms
// divide it; values outside go to the end buckets when includeOutOfRange,
// else are not counted.
std::vector<std::uint64_t> DataHistogram(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> mask,
                                         double min, double max, int buckets, bool includeOutOfRange);

}  // namespace orbalux::gdal
