#include "shell/pixel_readout.h"

#include <algorithm>
#include <cstddef>

#include "shell/zoom.h"

namespace {

// The narrow 816-wide frames, whose first 136 samples the widening repeats
// six times each.
constexpr int kNarrowWidth = 816;
constexpr int kWidening = 6;

// Where the reduction puts the reduced picture in the working rows and
// columns of the frame: around column 400, and from a first row that leaves
// it near the top of the bottom-up bitmap.
struct ReducedPlace {
    int firstRow;
    int firstColumn;
};
ReducedPlace PlaceOfReduction(int reduction, int width, int height) {
    if (reduction == 4) return {2 * (height / 4) + height / 8 - 69, 400 - (width / 4) / 2};
    return {height / 2 - 69, 400 - (width / 2) / 2};
}

// A working-picture pixel (row 0 = first decoded line) back through rotate
// and flip, which run in that order behind the widening.
struct WorkingPixel {
    int row;
    int column;
};
WorkingPixel BeforeTurns(const ShownGeometry& g, WorkingPixel p) {
    if (g.rotated) p = {g.height - 1 - p.row, g.width - 1 - p.column};
    if (g.flipped) p.row = g.height - 1 - p.row;
    if (g.widened) p.column /= kWidening;
    return p;
}

}  // namespace

ShownGeometry ShownGeometryOf(const orbalux::PictureState& state, bool wholeChain) {
    ShownGeometry g;
    g.width = state.ImageWidth;
    g.height = state.ImageHeight;
    if (!wholeChain) return g;
    const orbalux::DisplayOptions& o = state.ActiveOptions;
    g.widened = state.HorizontalStretchOn == 1 && state.FrameStride == kNarrowWidth && state.ImageWidth == kNarrowWidth;
    g.flipped = o.FlipVertical == 1;
    g.rotated = o.Rotate == 1;
    g.reduction = o.MinimizeQuarter == 1 ? 4 : (o.MinimizeHalf == 1 ? 2 : 1);
    return g;
}

std::optional<ShownPixel> ShownPixelAt(int x, int y, int step, const ShownGeometry& geometry) {
    const ShownPixel p{PictureCoordinate(x, step), PictureCoordinate(y, step)};
    if (p.column < 0 || p.row < 0 || p.column >= geometry.width || p.row >= geometry.height) return std::nullopt;
    return p;
}

std::optional<FramePixel> FramePixelOf(const ShownGeometry& g, ShownPixel shown) {
    if (shown.column < 0 || shown.row < 0 || shown.column >= g.width || shown.row >= g.height) return std::nullopt;
    // The bitmap is bottom-up: the top row on screen is the last working row.
    WorkingPixel p{g.height - 1 - shown.row, shown.column};
    if (g.reduction == 1) {
        p = BeforeTurns(g, p);
        return FramePixel{p.row + 1, p.column + 1};
    }
    const int f = g.reduction;
    const ReducedPlace place = PlaceOfReduction(f, g.width, g.height);
    const int blockRow = p.row - place.firstRow;
    const int blockColumn = p.column - place.firstColumn;
    if (blockRow < 0 || blockColumn < 0 || blockRow >= g.height / f || blockColumn >= g.width / f)
        return std::nullopt;
    // Opposite corners of the block, back through the turns: each axis is
    // either kept or mirrored, so the smaller of the two is the block's first.
    const WorkingPixel a = BeforeTurns(g, {f * blockRow, f * blockColumn});
    const WorkingPixel b = BeforeTurns(g, {f * blockRow + f - 1, f * blockColumn + f - 1});
    return FramePixel{std::min(a.row, b.row) + 1, std::min(a.column, b.column) + 1};
}

std::optional<PixelReadout> ReadPixel(int x, int y, int step, const ShownGeometry& geometry, const QImage& picture,
                                      const orbalux::PictureState& state) {
    const std::optional<ShownPixel> shown = ShownPixelAt(x, y, step, geometry);
    if (!shown || !picture.valid(shown->column, shown->row)) return std::nullopt;
    PixelReadout readout;
    readout.shown = *shown;
    readout.shownLevel = qGray(picture.pixel(shown->column, shown->row));
    readout.frame = FramePixelOf(geometry, *shown);
    if (readout.frame) {
        const std::size_t at = orbalux::kPictureOrigin +
                               static_cast<std::size_t>(readout.frame->line - 1) * static_cast<std::size_t>(geometry.width) +
                               static_cast<std::size_t>(readout.frame->sample - 1);
        if (at < state.DecodedImage.size()) readout.decodedLevel = state.DecodedImage[at];
    }
    return readout;
}
