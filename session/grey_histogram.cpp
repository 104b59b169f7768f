// Counting the grey levels of a picture, and the figures drawn from the counts.
#include "session/grey_histogram.h"

namespace orbalux {

namespace {

// Minimum, maximum and mean from the counts alone.
void Summarise(GreyHistogram& h) {
    long long sum = 0;
    bool seen = false;
    for (int level = 0; level < 256; ++level) {
        const long long n = h.counts[static_cast<std::size_t>(level)];
        if (n == 0) continue;
        if (!seen) h.minimum = level;
        seen = true;
        h.maximum = level;
        h.pixels += n;
        sum += n * level;
    }
    h.mean = h.pixels > 0 ? static_cast<double>(sum) / static_cast<double>(h.pixels) : 0.0;
}

}  // namespace

GreyHistogram HistogramOfCounts(const std::array<long long, 256>& counts) {
    GreyHistogram h;
    h.counts = counts;
    Summarise(h);
    return h;
}

GreyHistogram HistogramOf(std::span<const std::uint8_t> levels) {
    GreyHistogram h;
    for (const std::uint8_t v : levels) ++h.counts[v];
    Summarise(h);
    return h;
}

GreyHistogram HistogramOf(const GreyImage& picture, const std::function<bool(int x, int y)>& counts) {
    GreyHistogram h;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (!counts || counts(x, y)) ++h.counts[picture.At(x, y)];
    Summarise(h);
    return h;
}

}  // namespace orbalux
