// Measuring the shown picture: the statistics of a rectangle, the levels
// along a line and the length of a segment, over picture data only as the
// row map tells it under the chain's geometry. The browser's Region and
// Profile windows and the converter's --stats and --profile both answer
// from here, so they give the same numbers for the same pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "processing/chain_geometry.h"
#include "state/picture_state.h"

namespace orbalux {

// The shown picture's grey levels where they lie: shown row 0 at `top`, each
// next row `stride` bytes on (negative for the bottom-up working picture).
struct ShownLevels {
    const std::uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return top != nullptr; }
    const std::uint8_t* Row(int row) const { return top + static_cast<std::ptrdiff_t>(row) * stride; }
};
// The working picture the bitmap stages copied into the BMP, as shown;
// empty when the state holds none.
ShownLevels WorkingPictureLevels(const PictureState& state);

// A picture to measure: its geometry and row map, its shown levels and the
// decoded frame behind them. It points into `state` and `shown`, which must
// outlive it.
struct MeasuredPicture {
    ShownGeometry geometry;
    const RowMap* rows = nullptr;
    ShownLevels shown;
    const std::vector<std::uint8_t>* decoded = nullptr;  // DecodedImage
};
// `wholeChain` is false after "Original Image" (ShownGeometryOf).
// The shown levels are the working picture's (WorkingPictureLevels).
MeasuredPicture MeasuredPictureOf(const PictureState& state, bool wholeChain);

// The decoded level at a frame pixel; nothing outside the frame.
std::optional<int> DecodedLevelAt(const ShownGeometry& geometry, const std::vector<std::uint8_t>& decoded,
                                  FramePixel frame);

// What a measured pixel is; only data has a level.
enum class MeasuredKind : std::uint8_t { Data, LostLine, PastEnd, GreyField, Padding };
MeasuredKind MeasuredKindOf(const ShownGeometry& geometry, ShownPixelKind kind);
// "data", "lost line", "past the end", "grey field", "padding".
const char* MeasuredKindName(MeasuredKind kind);

// A rectangle of shown pixels: column and row of its top left, its size.
struct Region {
    int column = 0;
    int row = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Region&) const = default;
};
// `region` cut to the picture; empty (0 x 0) when they do not meet.
Region ClipRegion(const Region& region, const ShownGeometry& geometry);

struct LevelStatistics {
    int min = 0;
    int max = 0;
    double mean = 0;
    double stdDev = 0;  // population
    int median = 0;     // nearest rank: the ceil(N / 2)-th level
};

// The pixels of a region that are not data, by what they are.
struct LeftOutPixels {
    long long lostLine = 0;
    long long pastEnd = 0;
    long long greyField = 0;
    long long padding = 0;
    long long Total() const { return lostLine + pastEnd + greyField + padding; }
};

struct RegionStatistics {
    Region region;  // as clipped
    long long dataPixels = 0;
    LeftOutPixels leftOut;
    std::optional<LevelStatistics> shown;  // nothing without a data pixel
    // The decoded levels behind the same pixels, where each shown pixel is
    // one decoded pixel (no widening, no reduction).
    std::optional<LevelStatistics> decoded;
};
RegionStatistics MeasureRegion(const MeasuredPicture& picture, const Region& region);

// One sample of a profile: the nearest shown pixel to its point of the line.
struct ProfileSample {
    int index = 0;
    ShownPixel shown;
    std::optional<FramePixel> frame;  // nothing on the grey field of a reduction
    std::optional<int> level;         // the shown level, of data only
    MeasuredKind kind = MeasuredKind::Data;
};
// max(|dx|, |dy|) + 1 samples from `from` to `to`, both ends included.
std::vector<ProfileSample> MeasureProfile(const MeasuredPicture& picture, ShownPixel from, ShownPixel to);

// A segment's length on screen and in the file: the widening, the
// reductions, flip and rotate taken back.
struct Distance {
    int columns = 0;  // |dx| in shown pixels
    int rows = 0;     // |dy|
    double shown = 0;
    double samples = 0;  // the file's samples across
    double lines = 0;    // the file's lines down
    double file = 0;     // in file pixels
};
Distance MeasureDistance(const ShownGeometry& geometry, ShownPixel from, ShownPixel to);

// The statistics as named rows ("Data pixels", "12345"), in the order the
// panel, the copied text and the converter's --info give them.
std::vector<std::pair<std::string, std::string>> RegionStatisticsRows(const RegionStatistics& stats);
// "X,Y,W,H".
std::string RegionText(const Region& region);

// The profile as lines of `separator`-separated fields under the header
// index,column,row,line,sample,level,kind; empty fields where there is no
// frame pixel or no level.
std::string ProfileText(const std::vector<ProfileSample>& samples, char separator = ',');

}  // namespace orbalux
