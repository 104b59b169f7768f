#include "processing/chain_geometry.h"

#include <algorithm>

namespace orbalux {
namespace {

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

bool WidensNarrowFrame(const PictureState& state) {
    return state.HorizontalStretchOn == 1 && state.FrameStride == kNarrowWidth;
}

int ReductionFactor(const DisplayOptions& options) {
    if (options.MinimizeQuarter == 1) return 4;
    if (options.MinimizeHalf == 1) return 2;
    return 1;
}

ReducedPlacement PlacementOfReduction(int factor, int width, int height) {
    if (factor == 4) return {2 * (height / 4) + height / 8 - 69, 400 - (width / 4) / 2};
    return {height / 2 - 69, 400 - (width / 2) / 2};
}

ShownGeometry ShownGeometryOf(const PictureState& state, bool wholeChain) {
    ShownGeometry g;
    g.width = state.ImageWidth;
    g.height = state.ImageHeight;
    if (!wholeChain) return g;
    const DisplayOptions& o = state.ActiveOptions;
    g.widened = WidensNarrowFrame(state) && state.ImageWidth == kNarrowWidth;
    g.flipped = o.FlipVertical == 1;
    g.rotated = o.Rotate == 1;
    g.reduction = ReductionFactor(o);
    return g;
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
    const ReducedPlacement place = PlacementOfReduction(f, g.width, g.height);
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

}  // namespace orbalux
