// Region statistics, profiles and distances over the data pixels of the shown
// picture. The statistics gather a histogram of levels, so a whole picture
// costs one pass and no sort.
#include "processing/measurements.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orbalux {
namespace {

using Histogram = std::array<long long, 256>;

// Counts levels in four tables taken in turn, so that a run of one level
// does not wait on its own count at every pixel.
class LevelCounter {
public:
    void Add(const std::uint8_t* levels, int n) {
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            ++counts_[0][levels[i]];
            ++counts_[1][levels[i + 1]];
            ++counts_[2][levels[i + 2]];
            ++counts_[3][levels[i + 3]];
        }
        for (; i < n; ++i) ++counts_[0][levels[i]];
    }
    Histogram Total() const {
        Histogram total{};
        for (const auto& table : counts_)
            for (std::size_t v = 0; v < 256; ++v) total[v] += table[v];
        return total;
    }

private:
    // A table's count stays below 2^32: a picture holds fewer pixels.
    std::array<std::array<std::uint32_t, 256>, 4> counts_{};
};

std::optional<LevelStatistics> StatisticsOf(const Histogram& counts) {
    long long n = 0;
    double sum = 0, squares = 0;
    for (int v = 0; v < 256; ++v) {
        const auto c = static_cast<double>(counts[static_cast<std::size_t>(v)]);
        n += counts[static_cast<std::size_t>(v)];
        sum += c * v;
        squares += c * v * v;
    }
    if (n == 0) return std::nullopt;
    LevelStatistics s;
    s.min = 0;
    while (counts[static_cast<std::size_t>(s.min)] == 0) ++s.min;
    s.max = 255;
    while (counts[static_cast<std::size_t>(s.max)] == 0) --s.max;
    s.mean = sum / static_cast<double>(n);
    s.stdDev = std::sqrt(std::max(0.0, squares / static_cast<double>(n) - s.mean * s.mean));
    const long long rank = (n + 1) / 2;  // ceil(N / 2), at least 1
    long long seen = 0;
    for (int v = 0; v < 256; ++v) {
        seen += counts[static_cast<std::size_t>(v)];
        if (seen >= rank) {
            s.median = v;
            break;
        }
    }
    return s;
}

void CountLeftOut(LeftOutPixels& out, MeasuredKind kind, long long n) {
    switch (kind) {
        case MeasuredKind::Data: break;
        case MeasuredKind::LostLine: out.lostLine += n; break;
        case MeasuredKind::PastEnd: out.pastEnd += n; break;
        case MeasuredKind::GreyField: out.greyField += n; break;
        case MeasuredKind::Padding: out.padding += n; break;
    }
}

bool Inside(const ShownGeometry& g, ShownPixel p) {
    return p.column >= 0 && p.row >= 0 && p.column < g.width && p.row < g.height;
}

std::string Fixed(double v, int decimals = 2) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

}  // namespace

ShownLevels WorkingPictureLevels(const PictureState& state) {
    const int w = state.ImageWidth, h = state.ImageHeight;
    if (w <= 0 || h <= 0) return {};
    const std::size_t pixels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (state.FileBuffer.size() < kPictureOrigin + pixels || !BitmapHoldsPicture(state)) return {};
    // The bitmap is bottom-up: the top row shown is the last working row.
    return {state.FileBuffer.data() + kPictureOrigin + static_cast<std::size_t>(h - 1) * static_cast<std::size_t>(w),
            -static_cast<std::ptrdiff_t>(w), w, h};
}

MeasuredPicture MeasuredPictureOf(const PictureState& state, bool wholeChain) {
    const ShownLevels shown = WorkingPictureLevels(state);
    return {ShownGeometryOf(state, wholeChain), &state.DecodedRows, shown, &state.DecodedImage};
}

std::optional<int> DecodedLevelAt(const ShownGeometry& g, const std::vector<std::uint8_t>& decoded, FramePixel frame) {
    if (frame.line < 1 || frame.sample < 1 || frame.line > g.height || frame.sample > g.width) return std::nullopt;
    const std::size_t at = kPictureOrigin +
                           static_cast<std::size_t>(frame.line - 1) * static_cast<std::size_t>(g.width) +
                           static_cast<std::size_t>(frame.sample - 1);
    if (at >= decoded.size()) return std::nullopt;
    return decoded[at];
}

MeasuredKind MeasuredKindOf(const ShownGeometry& g, ShownPixelKind kind) {
    switch (kind) {
        case ShownPixelKind::Data: return MeasuredKind::Data;
        case ShownPixelKind::LostLine: return MeasuredKind::LostLine;
        case ShownPixelKind::PastEnd: return MeasuredKind::PastEnd;
        case ShownPixelKind::FrameTail: return MeasuredKind::Padding;
        case ShownPixelKind::Surround: return MeasuredKind::GreyField;
        // Beside the narrow formats' samples lies a grey field; the other
        // frames end their rows in a few zero bytes.
        case ShownPixelKind::NotPicture:
            return g.width == kNarrowWidth ? MeasuredKind::GreyField : MeasuredKind::Padding;
    }
    return MeasuredKind::Padding;
}

const char* MeasuredKindName(MeasuredKind kind) {
    switch (kind) {
        case MeasuredKind::Data: return "data";
        case MeasuredKind::LostLine: return "lost line";
        case MeasuredKind::PastEnd: return "past the end";
        case MeasuredKind::GreyField: return "grey field";
        case MeasuredKind::Padding: return "padding";
    }
    return "padding";
}

Region ClipRegion(const Region& r, const ShownGeometry& g) {
    const long long x0 = std::max(0, r.column), y0 = std::max(0, r.row);
    const long long x1 = std::min<long long>(g.width, static_cast<long long>(r.column) + std::max(0, r.width));
    const long long y1 = std::min<long long>(g.height, static_cast<long long>(r.row) + std::max(0, r.height));
    if (x1 <= x0 || y1 <= y0) return {};
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

RegionStatistics MeasureRegion(const MeasuredPicture& picture, const Region& region) {
    RegionStatistics stats;
    const ShownGeometry& g = picture.geometry;
    stats.region = ClipRegion(region, g);
    const Region& r = stats.region;
    if (r.width == 0 || !picture.shown || !picture.rows || picture.shown.width != g.width ||
        picture.shown.height != g.height)
        return stats;
    Histogram shown{};
    if (g.reduction != 1) {
        // A reduced pixel is a block of frame pixels: the mask says which
        // are data, and only the others are asked what they are.
        // Outside the reduced picture lies its grey field.
        const std::vector<std::uint8_t> mask = ShownDataMask(g, *picture.rows);
        const ShownArea area = ShownPictureArea(g);
        const int x0 = std::clamp(area.firstColumn, r.column, r.column + r.width);
        const int x1 = std::clamp(area.endColumn, x0, r.column + r.width);
        for (int y = r.row; y < r.row + r.height; ++y) {
            if (y < area.firstRow || y >= area.endRow) {
                stats.leftOut.greyField += r.width;
                continue;
            }
            stats.leftOut.greyField += r.width - (x1 - x0);
            const std::uint8_t* levels = picture.shown.Row(y);
            const std::uint8_t* data = mask.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(g.width);
            for (int x = x0; x < x1; ++x) {
                if (data[x]) {
                    ++shown[levels[x]];
                    continue;
                }
                CountLeftOut(stats.leftOut, MeasuredKindOf(g, ShownPixelKindOf(g, *picture.rows, {x, y})), 1);
            }
        }
        stats.shown = StatisticsOf(shown);
        for (const long long c : shown) stats.dataPixels += c;
        return stats;
    }
    const ShownAxes axes = ShownAxesOf(g, *picture.rows);
    // The columns that hold samples are one run; those outside it are left
    // out in every row, whatever the row.
    int first = r.column + r.width, end = r.column;
    for (int x = r.column; x < r.column + r.width; ++x) {
        if (!axes.columnHoldsSamples[static_cast<std::size_t>(x)]) continue;
        first = std::min(first, x);
        end = x + 1;
    }
    const long long sampleColumns = std::max(0, end - first);
    const MeasuredKind noSample = MeasuredKindOf(g, ShownPixelKind::NotPicture);
    CountLeftOut(stats.leftOut, noSample, (r.width - sampleColumns) * r.height);
    // One shown pixel is one decoded pixel unless the widening repeats it.
    const bool oneToOne = !g.widened && picture.decoded != nullptr &&
                          picture.decoded->size() >=
                              kPictureOrigin + static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height);
    // Unwidened, the decoded samples behind a run of shown columns are a run
    // too, forwards or mirrored: the same levels, whatever their order.
    int firstSample = 0, endSample = 0;
    if (oneToOne && end > first) {
        const int a = axes.frameSamples[static_cast<std::size_t>(first)];
        const int b = axes.frameSamples[static_cast<std::size_t>(end - 1)];
        firstSample = std::min(a, b) - 1;
        endSample = std::max(a, b);
    }
    LevelCounter shownCounter, decodedCounter;
    for (int y = r.row; y < r.row + r.height; ++y) {
        const MeasuredKind k = MeasuredKindOf(g, axes.rowKinds[static_cast<std::size_t>(y)]);
        if (k != MeasuredKind::Data) {
            CountLeftOut(stats.leftOut, k, sampleColumns);
            continue;
        }
        shownCounter.Add(picture.shown.Row(y) + first, end - first);
        if (!oneToOne) continue;
        const std::uint8_t* line = picture.decoded->data() + kPictureOrigin +
                                   static_cast<std::size_t>(axes.frameLines[static_cast<std::size_t>(y)] - 1) *
                                       static_cast<std::size_t>(g.width);
        decodedCounter.Add(line + firstSample, endSample - firstSample);
    }
    shown = shownCounter.Total();
    const Histogram decoded = decodedCounter.Total();
    for (const long long c : shown) stats.dataPixels += c;
    stats.shown = StatisticsOf(shown);
    if (oneToOne) stats.decoded = StatisticsOf(decoded);
    return stats;
}

std::vector<ProfileSample> MeasureProfile(const MeasuredPicture& picture, ShownPixel from, ShownPixel to) {
    const ShownGeometry& g = picture.geometry;
    const int dx = to.column - from.column, dy = to.row - from.row;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<ProfileSample> samples(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        ProfileSample& s = samples[static_cast<std::size_t>(i)];
        s.index = i;
        // The nearest pixel to the point i / steps of the way along.
        const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
        s.shown = {from.column + static_cast<int>(std::lround(dx * t)),
                   from.row + static_cast<int>(std::lround(dy * t))};
        s.frame = FramePixelOf(g, s.shown);
        s.kind =
            picture.rows ? MeasuredKindOf(g, ShownPixelKindOf(g, *picture.rows, s.shown)) : MeasuredKind::GreyField;
        if (s.kind == MeasuredKind::Data && picture.shown && Inside(g, s.shown) && picture.shown.width == g.width &&
            picture.shown.height == g.height)
            s.level = picture.shown.Row(s.shown.row)[s.shown.column];
    }
    return samples;
}

Distance MeasureDistance(const ShownGeometry& g, ShownPixel from, ShownPixel to) {
    Distance d;
    d.columns = std::abs(to.column - from.column);
    d.rows = std::abs(to.row - from.row);
    d.shown = std::hypot(d.columns, d.rows);
    d.samples = d.columns * SamplesPerShownColumn(g);
    d.lines = static_cast<double>(d.rows) * LinesPerShownRow(g);
    d.file = std::hypot(d.samples, d.lines);
    return d;
}

std::string RegionText(const Region& r) {
    return std::to_string(r.column) + "," + std::to_string(r.row) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
}

std::vector<std::pair<std::string, std::string>> RegionStatisticsRows(const RegionStatistics& stats) {
    std::vector<std::pair<std::string, std::string>> rows;
    rows.emplace_back("Region", RegionText(stats.region));
    rows.emplace_back("Data pixels", std::to_string(stats.dataPixels));
    const LeftOutPixels& out = stats.leftOut;
    rows.emplace_back("Left out", std::to_string(out.Total()) + " (lost line " + std::to_string(out.lostLine) +
                                      ", past the end " + std::to_string(out.pastEnd) + ", grey field " +
                                      std::to_string(out.greyField) + ", padding " + std::to_string(out.padding) + ")");
    const auto levels = [&rows](const std::string& prefix, const std::optional<LevelStatistics>& s) {
        if (!s) return;
        rows.emplace_back(prefix + "Minimum", std::to_string(s->min));
        rows.emplace_back(prefix + "Maximum", std::to_string(s->max));
        rows.emplace_back(prefix + "Mean", Fixed(s->mean));
        rows.emplace_back(prefix + "Std dev", Fixed(s->stdDev));
        rows.emplace_back(prefix + "Median", std::to_string(s->median));
    };
    levels("", stats.shown);
    levels("Decoded ", stats.decoded);
    return rows;
}

std::string ProfileText(const std::vector<ProfileSample>& samples, char separator) {
    std::string text;
    const std::string sep(1, separator);
    text += "index" + sep + "column" + sep + "row" + sep + "line" + sep + "sample" + sep + "level" + sep + "kind\n";
    for (const ProfileSample& s : samples) {
        text +=
            std::to_string(s.index) + sep + std::to_string(s.shown.column) + sep + std::to_string(s.shown.row) + sep;
        text += (s.frame ? std::to_string(s.frame->line) : std::string()) + sep;
        text += (s.frame ? std::to_string(s.frame->sample) : std::string()) + sep;
        text += (s.level ? std::to_string(*s.level) : std::string()) + sep;
        text += MeasuredKindName(s.kind);
        text += '\n';
    }
    return text;
}

}  // namespace orbalux
