#include "gdal/masked_statistics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orbalux::gdal {
namespace {

// How many data pixels hold each of the 256 levels.
std::array<std::uint64_t, 256> LevelCounts(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> mask) {
    std::array<std::uint64_t, 256> counts{};
    if (mask.empty()) {
        for (std::uint8_t p : pixels) ++counts[p];
    } else {
        for (std::size_t i = 0; i < pixels.size() && i < mask.size(); ++i)
            if (mask[i] != 0) ++counts[pixels[i]];
    }
    return counts;
}

}  // namespace

BandStatistics DataStatistics(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> mask) {
    const auto counts = LevelCounts(pixels, mask);
    BandStatistics s;
    double sum = 0, squares = 0;
    bool first = true;
    for (int level = 0; level < 256; ++level) {
        if (counts[level] == 0) continue;
        if (first) s.min = level;
        first = false;
        s.max = level;
        s.count += counts[level];
        sum += static_cast<double>(counts[level]) * level;
        squares += static_cast<double>(counts[level]) * level * level;
    }
    if (s.count == 0) return s;
    const double n = static_cast<double>(s.count);
    s.mean = sum / n;
    s.stdDev = std::sqrt(std::max(0.0, squares / n - s.mean * s.mean));
    return s;
}

std::vector<std::uint64_t> DataHistogram(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> mask,
                                         double min, double max, int buckets, bool includeOutOfRange) {
    std::vector<std::uint64_t> histogram(static_cast<std::size_t>(std::max(buckets, 0)), 0);
    if (buckets <= 0 || !(max > min)) return histogram;
    const auto counts = LevelCounts(pixels, mask);
    const double scale = buckets / (max - min);
    for (int level = 0; level < 256; ++level) {
        if (counts[level] == 0) continue;
        const double at = (level - min) * scale;
        long long bucket = static_cast<long long>(std::floor(at));
        if (bucket < 0 || bucket >= buckets) {
            if (!includeOutOfRange) continue;
            bucket = bucket < 0 ? 0 : buckets - 1;
        }
        histogram[static_cast<std::size_t>(bucket)] += counts[level];
    }
    return histogram;
}

}  // namespace orbalux::gdal
