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

using CountTables = std::array<std::array<std::uint32_t, 256>, 8>;

// Counts `n` levels of two rows at once, eight at a time from each, into
// eight tables in turn: within a run of one level (a dark sky) no counter
// waits on its own last increment.
void CountTwoRuns(const std::uint8_t* p, const std::uint8_t* q, std::size_t n, CountTables& t) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t e = 0, f = 0;
        std::memcpy(&e, p + i, 8);
        std::memcpy(&f, q + i, 8);
        ++t[0][e & 0xFF];
        ++t[1][(e >> 8) & 0xFF];
        ++t[2][(e >> 16) & 0xFF];
        ++t[3][(e >> 24) & 0xFF];
        ++t[4][f & 0xFF];
        ++t[5][(f >> 8) & 0xFF];
        ++t[6][(f >> 16) & 0xFF];
        ++t[7][(f >> 24) & 0xFF];
        ++t[0][(e >> 32) & 0xFF];
        ++t[1][(e >> 40) & 0xFF];
        ++t[2][(e >> 48) & 0xFF];
        ++t[3][e >> 56];
        ++t[4][(f >> 32) & 0xFF];
        ++t[5][(f >> 40) & 0xFF];
        ++t[6][(f >> 48) & 0xFF];
        ++t[7][f >> 56];
    }
    for (; i < n; ++i) {
        ++t[0][p[i]];
        ++t[4][q[i]];
    }
}

void CountRun(const std::uint8_t* p, std::size_t n, CountTables& t) {
    for (std::size_t i = 0; i < n; ++i) ++t[i & 7][p[i]];
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
    // A picture holds at most FileBuffer's 2,100,000 pixels: 32-bit counters
    // cannot overflow.
    CountTables tables{};
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
        CountTwoRuns(start(waiting), start(y), run, tables);
        waiting = -1;
    }
    if (waiting >= 0) CountRun(start(waiting), run, tables);
    for (int v = 0; v < 256; ++v)
        for (const auto& table : tables) counts[static_cast<std::size_t>(v)] += table[static_cast<std::size_t>(v)];
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
