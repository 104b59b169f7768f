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

// The kind of a decoded-frame pixel; a column that holds no sample wins over
// the row's kind.
ShownPixelKind FrameKind(const RowMap& map, int row, int column) {
    if (row < 0 || row >= static_cast<int>(map.rows.size())) return ShownPixelKind::FrameTail;
    if (column < map.firstDataColumn || column >= map.firstDataColumn + map.dataColumns)
        return ShownPixelKind::NotPicture;
    switch (map.rows[static_cast<std::size_t>(row)]) {
        case RowKind::Line: return ShownPixelKind::Data;
        case RowKind::LostLine: return ShownPixelKind::LostLine;
        case RowKind::PastEnd: return ShownPixelKind::PastEnd;
        case RowKind::Tail: return ShownPixelKind::FrameTail;
        // Read where no marker was found: no line was received there.
        case RowKind::Unmarked: return ShownPixelKind::LostLine;
    }
    return ShownPixelKind::FrameTail;
}

// The frame row behind a working row, and the frame column behind a working
// column: flip and rotate move rows and columns independently.
int FrameRowOf(const ShownGeometry& g, int workingRow) { return BeforeTurns(g, {workingRow, 0}).row; }
int FrameColumnOf(const ShownGeometry& g, int workingColumn) {
    return BeforeTurns(g, {g.height / 2, workingColumn}).column;
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

namespace orbalux {

ShownPixelKind ShownPixelKindOf(const ShownGeometry& g, const RowMap& rows, ShownPixel shown) {
    if (shown.column < 0 || shown.row < 0 || shown.column >= g.width || shown.row >= g.height)
        return ShownPixelKind::Surround;
    const WorkingPixel p{g.height - 1 - shown.row, shown.column};
    if (g.reduction == 1) {
        const WorkingPixel f = BeforeTurns(g, p);
        return FrameKind(rows, f.row, f.column);
    }
    const int f = g.reduction;
    const ReducedPlacement place = PlacementOfReduction(f, g.width, g.height);
    const int blockRow = p.row - place.firstRow;
    const int blockColumn = p.column - place.firstColumn;
    if (blockRow < 0 || blockColumn < 0 || blockRow >= g.height / f || blockColumn >= g.width / f)
        return ShownPixelKind::Surround;
    // Columns first: a block that reaches a column without samples is no
    // picture, whatever its rows.
    ShownPixelKind rowKind = ShownPixelKind::Data;
    for (int dy = 0; dy < f; ++dy) {
        for (int dx = 0; dx < f; ++dx) {
            const WorkingPixel q = BeforeTurns(g, {f * blockRow + dy, f * blockColumn + dx});
            const ShownPixelKind k = FrameKind(rows, q.row, q.column);
            if (k == ShownPixelKind::NotPicture) return k;
            if (k != ShownPixelKind::Data && rowKind == ShownPixelKind::Data) rowKind = k;
        }
    }
    return rowKind;
}

ShownAxes ShownAxesOf(const ShownGeometry& g, const RowMap& map) {
    ShownAxes axes;
    if (g.reduction != 1 || g.width <= 0 || g.height <= 0) return axes;
    const int pictureColumn = map.dataColumns > 0 ? map.firstDataColumn : -1;
    axes.rowKinds.resize(static_cast<std::size_t>(g.height));
    axes.frameLines.resize(static_cast<std::size_t>(g.height));
    for (int s = 0; s < g.height; ++s) {
        // The bitmap is bottom-up: shown row s is working row H - 1 - s.
        const int r = FrameRowOf(g, g.height - 1 - s);
        axes.frameLines[static_cast<std::size_t>(s)] = r + 1;
        axes.rowKinds[static_cast<std::size_t>(s)] =
            pictureColumn < 0 ? ShownPixelKind::NotPicture : FrameKind(map, r, pictureColumn);
    }
    axes.columnHoldsSamples.resize(static_cast<std::size_t>(g.width));
    axes.frameSamples.resize(static_cast<std::size_t>(g.width));
    for (int x = 0; x < g.width; ++x) {
        const int c = FrameColumnOf(g, x);
        axes.frameSamples[static_cast<std::size_t>(x)] = c + 1;
        axes.columnHoldsSamples[static_cast<std::size_t>(x)] =
            c >= map.firstDataColumn && c < map.firstDataColumn + map.dataColumns;
    }
    return axes;
}

ShownArea ShownPictureArea(const ShownGeometry& g) {
    if (g.reduction == 1) return {0, 0, std::max(g.width, 0), std::max(g.height, 0)};
    const int f = g.reduction;
    const ReducedPlacement place = PlacementOfReduction(f, g.width, g.height);
    // Working rows [R0, R0 + H / f); the bitmap is bottom-up.
    ShownArea area;
    area.firstColumn = std::clamp(place.firstColumn, 0, g.width);
    area.endColumn = std::clamp(place.firstColumn + g.width / f, 0, g.width);
    area.firstRow = std::clamp(g.height - place.firstRow - g.height / f, 0, g.height);
    area.endRow = std::clamp(g.height - place.firstRow, 0, g.height);
    return area;
}

double SamplesPerShownColumn(const ShownGeometry& g) {
    return static_cast<double>(g.reduction) / (g.widened ? kWidening : 1);
}

int LinesPerShownRow(const ShownGeometry& g) { return g.reduction; }

void ShownDataMask(const ShownGeometry& g, const RowMap& map, std::vector<std::uint8_t>& mask) {
    const int w = std::max(g.width, 0);
    const int h = std::max(g.height, 0);
    const std::size_t size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    mask.clear();
    if (w == 0 || h == 0) return;
    // Whether each working row and column is data; a pixel is data when both are.
    std::vector<std::uint8_t> rowData(static_cast<std::size_t>(h));
    std::vector<std::uint8_t> columnData(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        const int r = FrameRowOf(g, y);
        rowData[static_cast<std::size_t>(y)] =
            r >= 0 && r < static_cast<int>(map.rows.size()) && map.rows[static_cast<std::size_t>(r)] == RowKind::Line;
    }
    for (int x = 0; x < w; ++x) {
        const int c = FrameColumnOf(g, x);
        columnData[static_cast<std::size_t>(x)] = c >= map.firstDataColumn && c < map.firstDataColumn + map.dataColumns;
    }
    // The bitmap is bottom-up: shown row s is working row H - 1 - s.
    if (g.reduction == 1) {
        // Each row written once, into kept memory, without clearing it first.
        mask.reserve(size);
        for (int s = 0; s < h; ++s) {
            if (rowData[static_cast<std::size_t>(h - 1 - s)])
                mask.insert(mask.end(), columnData.begin(), columnData.end());
            else
                mask.insert(mask.end(), static_cast<std::size_t>(w), std::uint8_t{0});
        }
        return;
    }
    mask.assign(size, 0);
    auto shownRow = [&](int workingRow) { return mask.data() + static_cast<std::size_t>(h - 1 - workingRow) * w; };
    // A reduced pixel is the mean of an f x f block: data only when every
    // pixel of the block is.
    const int f = g.reduction;
    const ReducedPlacement place = PlacementOfReduction(f, w, h);
    const auto all = [f](const std::vector<std::uint8_t>& data, int first) {
        for (int k = 0; k < f; ++k)
            if (!data[static_cast<std::size_t>(first + k)]) return false;
        return true;
    };
    for (int j = 0; j < h / f; ++j) {
        const int workingRow = place.firstRow + j;
        if (workingRow < 0 || workingRow >= h || !all(rowData, f * j)) continue;
        std::uint8_t* out = shownRow(workingRow);
        for (int i = 0; i < w / f; ++i) {
            const int x = place.firstColumn + i;
            if (x >= 0 && x < w) out[x] = all(columnData, f * i) ? 1 : 0;
        }
    }
}

std::vector<std::uint8_t> ShownDataMask(const ShownGeometry& g, const RowMap& map) {
    std::vector<std::uint8_t> mask;
    ShownDataMask(g, map, mask);
    return mask;
}

std::vector<std::uint8_t> ShownDataMask(const PictureState& state, bool wholeChain) {
    return ShownDataMask(ShownGeometryOf(state, wholeChain), state.DecodedRows);
}

void ShownDataMask(const PictureState& state, bool wholeChain, std::vector<std::uint8_t>& mask) {
    ShownDataMask(ShownGeometryOf(state, wholeChain), state.DecodedRows, mask);
}

WorkingDataPixels DataPixelsAtToneStage(const PictureState& state) {
    ShownGeometry g = ShownGeometryOf(state);
    g.reduction = 1;  // the reductions run after the tone stage
    const RowMap& map = state.DecodedRows;
    WorkingDataPixels data;
    if (g.width <= 0 || g.height <= 0) return data;
    data.rows.resize(static_cast<std::size_t>(g.height));
    for (int y = 0; y < g.height; ++y) {
        const int r = FrameRowOf(g, y);
        data.rows[static_cast<std::size_t>(y)] =
            r >= 0 && r < static_cast<int>(map.rows.size()) && map.rows[static_cast<std::size_t>(r)] == RowKind::Line;
    }
    int first = -1;
    for (int x = 0; x < g.width; ++x) {
        const int c = FrameColumnOf(g, x);
        if (c < map.firstDataColumn || c >= map.firstDataColumn + map.dataColumns) continue;
        if (first < 0) first = x;
        data.endColumn = x + 1;
    }
    data.firstColumn = first < 0 ? 0 : first;
    return data;
}

}  // namespace orbalux
