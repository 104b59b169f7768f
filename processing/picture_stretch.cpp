#include "processing/picture_stretch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "processing/chain_geometry.h"
#include "processing/display_options.h"
#include "processing/working_picture.h"

namespace orbalux {
namespace {

// Percentiles are taken in thousandths of a per cent, so that the rank is
// whole-number arithmetic and every outlet finds the same level.
constexpr long long kPercentileUnits = 100'000;

// Levels are counted two neighbours at a time, the pair (a level and the one
// right of it) as one index into a table of 65,536 counters: half the
// increments of counting them one by one, which is what a count costs. Two
// rows at once go into two tables, so that neither waits on the other's
// last increment. The tables stay with the thread that counts and are left
// cleared for its next picture.
constexpr std::size_t kPairs = 65536;

struct PairTables {
    std::vector<std::uint32_t> counters = std::vector<std::uint32_t>(2 * kPairs);
    std::array<std::uint32_t, 256> singles{};  // the levels left over from pairing
};

PairTables& TablesOfThisThread() {
    thread_local PairTables tables;
    return tables;
}

void CountPairsOfTwoRows(const std::uint8_t* p, const std::uint8_t* q, std::size_t n, PairTables& t) {
    std::uint32_t* const first = t.counters.data();
    std::uint32_t* const second = first + kPairs;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t e = 0, f = 0;
        std::memcpy(&e, p + i, 8);
        std::memcpy(&f, q + i, 8);
        ++first[e & 0xFFFF];
        ++second[f & 0xFFFF];
        ++first[(e >> 16) & 0xFFFF];
        ++second[(f >> 16) & 0xFFFF];
        ++first[(e >> 32) & 0xFFFF];
        ++second[(f >> 32) & 0xFFFF];
        ++first[e >> 48];
        ++second[f >> 48];
    }
    for (; i < n; ++i) {
        ++t.singles[p[i]];
        ++t.singles[q[i]];
    }
}

void CountPairsOfRow(const std::uint8_t* p, std::size_t n, PairTables& t) {
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) ++t.counters[p[i] | (static_cast<std::size_t>(p[i + 1]) << 8)];
    for (; i < n; ++i) ++t.singles[p[i]];
}

// Each pair's two levels into the counts, the tables cleared behind.
void CollectPairs(PairTables& t, LevelCounts& counts) {
    // A picture holds at most FileBuffer's 2,100,000 pixels: 32-bit sums
    // cannot overflow.
    std::array<std::uint32_t, 256> left{};
    std::uint32_t* const first = t.counters.data();
    std::uint32_t* const second = first + kPairs;
    for (std::size_t right = 0; right < 256; ++right) {
        std::uint32_t* const a = first + right * 256;
        std::uint32_t* const b = second + right * 256;
        std::uint32_t sum = 0;
        for (std::size_t l = 0; l < 256; ++l) {
            const std::uint32_t n = a[l] + b[l];
            left[l] += n;
            sum += n;
        }
        std::fill(a, a + 256, 0u);
        std::fill(b, b + 256, 0u);
        counts[right] += sum;
    }
    for (std::size_t v = 0; v < 256; ++v) counts[v] += left[v] + t.singles[v];
    t.singles = {};
}

}  // namespace

LevelCounts CountDataLevels(const PictureState& state) {
    LevelCounts counts{};
    const int width = state.ImageWidth;
    if (!PictureFits(state.FileBuffer, width, state.ImageHeight)) return counts;
    const std::uint8_t* pixels = state.FileBuffer.data() + kPictureOrigin;
    const WorkingDataPixels data = DataPixelsAtToneStage(state);
    const int first = std::clamp(data.firstColumn, 0, width);
    const int end = std::clamp(data.endColumn, first, width);
    PairTables& tables = TablesOfThisThread();
    const int rows = std::min(state.ImageHeight, static_cast<int>(data.rows.size()));
    const auto run = static_cast<std::size_t>(end - first);
    auto start = [&](int y) { return pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + first; };
    int waiting = -1;  // a data row not yet counted, to pair with the next
    for (int y = 0; y < rows; ++y) {
        if (!data.rows[static_cast<std::size_t>(y)]) continue;
        if (waiting < 0) {
            waiting = y;
            continue;
        }
        CountPairsOfTwoRows(start(waiting), start(y), run, tables);
        waiting = -1;
    }
    if (waiting >= 0) CountPairsOfRow(start(waiting), run, tables);
    CollectPairs(tables, counts);
    return counts;
}

int LevelAtPercentile(const LevelCounts& counts, long long total, double percentile) {
    if (total <= 0) return 0;
    const long long units = std::clamp(std::llround(percentile * 1000.0), 0LL, kPercentileUnits);
    // Nearest rank: the ceil(p/100 * N)-th pixel in level order, at least the first.
    const long long rank = std::max(1LL, (units * total + kPercentileUnits - 1) / kPercentileUnits);
    long long below = 0;
    for (int v = 0; v < 256; ++v) {
        below += counts[static_cast<std::size_t>(v)];
        if (below >= rank) return v;
    }
    return 255;
}

LevelMap PercentileStretchMap(int lo, int hi) {
    LevelMap map{};
    for (int v = 0; v < 256; ++v) {
        int mapped = v;
        if (hi > lo) {
            const int span = hi - lo;
            mapped = v <= lo ? 0 : v >= hi ? 255 : (2 * 255 * (v - lo) + span) / (2 * span);
        }
        map[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(mapped);
    }
    return map;
}

LevelMap EqualizationMap(const LevelCounts& counts) {
    long long total = 0;
    for (const long long c : counts) total += c;
    LevelMap map{};
    long long atOrBelow = 0;
    for (int v = 0; v < 256; ++v) {
        atOrBelow += counts[static_cast<std::size_t>(v)];
        map[static_cast<std::size_t>(v)] =
            static_cast<std::uint8_t>(total == 0 ? v : (2 * 255 * atOrBelow + total) / (2 * total));
    }
    return map;
}

bool PictureStretchOf(PictureState& state, LevelMap& map) {
    state.StretchLowLevel = state.StretchHighLevel = 0;
    state.StretchDataPixels = 0;
    state.StretchLevelCounts = {};
    const DisplayOptions& o = state.ActiveOptions;
    if (o.PercentStretch != 1 && o.Equalize != 1) return false;
    const LevelCounts counts = CountDataLevels(state);
    long long total = 0;
    for (const long long c : counts) total += c;
    state.StretchDataPixels = total;
    state.StretchLevelCounts = counts;
    if (o.PercentStretch == 1) {
        state.StretchLowLevel = LevelAtPercentile(counts, total, state.LowPercentile);
        state.StretchHighLevel = LevelAtPercentile(counts, total, state.HighPercentile);
        map = PercentileStretchMap(state.StretchLowLevel, state.StretchHighLevel);
    } else {
        map = EqualizationMap(counts);
    }
    return true;
}

std::string StretchDescription(const PictureState& state) {
    const DisplayOptions& o = state.ActiveOptions;
    const std::string pixels = std::to_string(state.StretchDataPixels) + " data pixels";
    if (o.PercentStretch == 1) {
        const std::string found = state.StretchHighLevel > state.StretchLowLevel
                                      ? "levels " + std::to_string(state.StretchLowLevel) + " to " +
                                            std::to_string(state.StretchHighLevel) + " to black and white"
                                      : "level " + std::to_string(state.StretchLowLevel) + " at both: levels left as they are";
        return "percentiles " + PercentilesText(state.LowPercentile, state.HighPercentile) + " of " + pixels + ": " +
               found;
    }
    if (o.Equalize == 1) return "equalised over " + pixels;
    if (o.Stretch == 1)
        return "catalogue: gain " + std::to_string(state.StretchGain + 1) + ", black level " +
               std::to_string(20 * state.StretchBlack);
    return "none";
}

}  // namespace orbalux
