// From a screen pixel back to the frame's line and sample, through the
// bottom-up bitmap, flip, rotate, the reductions and the widening; and which
// shown pixels are picture data by the row map.
#include <gtest/gtest.h>

#include "processing/chain_geometry.h"

#include <algorithm>

namespace orbalux {
namespace {

ShownGeometry Frame948(bool flip = false, bool rotate = false, int reduction = 1) {
    return {.width = 948, .height = 704, .flipped = flip, .rotated = rotate, .reduction = reduction};
}

FramePixel At(const ShownGeometry& g, int column, int row) {
    return FramePixelOf(g, {column, row}).value_or(FramePixel{-1, -1});
}

TEST(ChainGeometry, NamesTheFilesLineWhateverFlipAndRotate) {
    EXPECT_EQ(At(Frame948(), 0, 703), (FramePixel{1, 1}));  // bottom-up: line 1 at the bottom
    EXPECT_EQ(At(Frame948(), 10, 690), (FramePixel{14, 11}));
    EXPECT_EQ(At(Frame948(true), 10, 690), (FramePixel{691, 11}));        // flipped
    EXPECT_EQ(At(Frame948(false, true), 10, 690), (FramePixel{691, 938}));  // turned
    EXPECT_EQ(At(Frame948(true, true), 10, 690), (FramePixel{14, 938}));    // mirrored
}

TEST(ChainGeometry, ReducedPictureNamesItsBlocksFirstLineAndSampleAndTheFieldNothing) {
    // At 1/2 the 474 x 352 picture fills working rows 283..634 and columns
    // 163..636: screen rows 69..420.
    const ShownGeometry half = Frame948(false, false, 2);
    EXPECT_EQ(At(half, 163, 420), (FramePixel{1, 1}));
    EXPECT_EQ(At(half, 636, 69), (FramePixel{703, 947}));
    for (auto [column, row] : {std::pair{162, 200}, {637, 200}, {300, 68}, {300, 421}})
        EXPECT_EQ(FramePixelOf(half, {column, row}), std::nullopt) << column << "," << row;
    EXPECT_EQ(At(Frame948(false, true, 2), 163, 420), (FramePixel{703, 947}));
    // At 1/4: 237 x 176 at working rows 371..546, columns 282..518.
    const ShownGeometry quarter = Frame948(false, false, 4);
    EXPECT_EQ(At(quarter, 518, 703 - 546), (FramePixel{701, 945}));
    EXPECT_EQ(FramePixelOf(quarter, {519, 300}), std::nullopt);
}

TEST(ChainGeometry, GeometryComesFromWhatTheChainApplied) {
    PictureState state;
    SetPictureGeometry(state, 816, 704);
    state.FrameStride = 816;
    state.HorizontalStretchOn = 1;
    state.MenuOptions.FlipVertical = 1;  // a default for the next load only
    state.ActiveOptions.MinimizeHalf = state.ActiveOptions.MinimizeQuarter = 1;
    const ShownGeometry g = ShownGeometryOf(state);
    EXPECT_FALSE(g.flipped);
    EXPECT_EQ(g.reduction, 4);  // the quarter wins
    // Widened six times: screen column 13 repeats sample 3.
    EXPECT_EQ(At({.width = 816, .height = 704, .widened = g.widened}, 13, 703), (FramePixel{1, 3}));
    // "Original Image" runs no stage at all.
    const ShownGeometry original = ShownGeometryOf(state, false);
    EXPECT_EQ(At(original, 13, 703), (FramePixel{1, 14}));
    EXPECT_EQ(original.reduction, 1);
}

}  // namespace
}  // namespace orbalux

namespace orbalux {
namespace {

// A 948 x 704 frame of 945 samples a line: frame row 10 a filler for a lost
// line, rows 700 and 701 read past the end of the file, 702 and 703 the tail.
RowMap Map948() {
    RowMap map{.rows = std::vector<RowKind>(704, RowKind::Line), .firstDataColumn = 0, .dataColumns = 945};
    map.rows[10] = RowKind::LostLine;
    map.rows[700] = map.rows[701] = RowKind::PastEnd;
    map.rows[702] = map.rows[703] = RowKind::Tail;
    return map;
}

struct Mask {
    std::vector<std::uint8_t> bytes;
    int width;
    int at(int column, int row) const { return bytes[static_cast<std::size_t>(row) * width + column]; }
    // The columns of shown row `row` that are data, as [first, last], or
    // {-1, -1} for none; they must be one run.
    std::pair<int, int> run(int row) const {
        int first = -1, last = -1;
        for (int x = 0; x < width; ++x) {
            if (!at(x, row)) continue;
            if (first < 0) first = x;
            EXPECT_TRUE(last < 0 || last == x - 1) << "row " << row << " has two runs";
            last = x;
        }
        return {first, last};
    }
};

Mask MaskOf(const ShownGeometry& g, const RowMap& map) { return {ShownDataMask(g, map), g.width}; }

TEST(ShownDataMask, FollowsTheRowMapThroughFlipAndRotate) {
    const RowMap map = Map948();
    const std::pair<int, int> none{-1, -1};
    // Bottom-up: frame row r is shown at row 703 - r.
    const Mask plain = MaskOf(Frame948(), map);
    ASSERT_EQ(plain.bytes.size(), 948u * 704u);
    EXPECT_EQ(plain.run(703), (std::pair{0, 944}));  // the row-end zeros are no picture
    EXPECT_EQ(plain.run(693), none);                  // the lost line
    EXPECT_EQ(plain.run(692), (std::pair{0, 944}));
    for (int row = 0; row < 4; ++row) EXPECT_EQ(plain.run(row), none) << row;  // past the end and tail
    EXPECT_EQ(std::count(plain.bytes.begin(), plain.bytes.end(), 1), 699 * 945);
    // Flipped, the first line is at the top.
    const Mask flipped = MaskOf(Frame948(true), map);
    EXPECT_EQ(flipped.run(10), none);
    EXPECT_EQ(flipped.run(0), (std::pair{0, 944}));
    EXPECT_EQ(flipped.run(700), none);
    // Turned: rows as flipped, columns mirrored.
    const Mask turned = MaskOf(Frame948(false, true), map);
    EXPECT_EQ(turned.run(10), none);
    EXPECT_EQ(turned.run(11), (std::pair{3, 947}));
    const Mask mirrored = MaskOf(Frame948(true, true), map);
    EXPECT_EQ(mirrored.run(693), none);
    EXPECT_EQ(mirrored.run(692), (std::pair{3, 947}));

    EXPECT_EQ(ShownPixelKindOf(Frame948(), map, {5, 693}), ShownPixelKind::LostLine);
    EXPECT_EQ(ShownPixelKindOf(Frame948(), map, {5, 3}), ShownPixelKind::PastEnd);
    EXPECT_EQ(ShownPixelKindOf(Frame948(), map, {5, 0}), ShownPixelKind::FrameTail);
    EXPECT_EQ(ShownPixelKindOf(Frame948(), map, {946, 100}), ShownPixelKind::NotPicture);
    EXPECT_EQ(ShownPixelKindOf(Frame948(true), map, {5, 10}), ShownPixelKind::LostLine);
}

TEST(ShownDataMask, ReducedPixelIsDataOnlyWhenItsWholeBlockIs) {
    const RowMap map = Map948();
    const std::pair<int, int> none{-1, -1};
    // 1/2: 474 x 352 at working rows 283..634, columns 163..636; block row j
    // holds frame rows 2j and 2j + 1, block column i frame columns 2i, 2i + 1.
    const Mask half = MaskOf(Frame948(false, false, 2), map);
    EXPECT_EQ(half.run(703 - (283 + 4)), (std::pair{163, 163 + 471}));  // frame rows 8, 9
    EXPECT_EQ(half.run(703 - (283 + 5)), none);                         // frame rows 10, 11
    EXPECT_EQ(half.run(703 - (283 + 349)), (std::pair{163, 634}));      // frame rows 698, 699
    EXPECT_EQ(half.run(703 - (283 + 350)), none);                       // 700, 701: past the end
    EXPECT_EQ(half.run(68), none);                                      // the grey field
    EXPECT_EQ(ShownPixelKindOf(Frame948(false, false, 2), map, {100, 300}), ShownPixelKind::Surround);
    EXPECT_EQ(ShownPixelKindOf(Frame948(false, false, 2), map, {200, 703 - 288}), ShownPixelKind::LostLine);
    EXPECT_EQ(ShownPixelKindOf(Frame948(false, false, 2), map, {635, 703 - 288}), ShownPixelKind::NotPicture);
    // 1/4: 237 x 176 at working rows 371..546, columns 282..518.
    const Mask quarter = MaskOf(Frame948(false, false, 4), map);
    EXPECT_EQ(quarter.run(703 - (371 + 1)), (std::pair{282, 282 + 235}));  // frame rows 4..7
    EXPECT_EQ(quarter.run(703 - (371 + 2)), none);                         // 8..11 hold the lost line
    // Flipped first, frame row 10 is working row 693: block row 173.
    const Mask flippedQuarter = MaskOf(Frame948(true, false, 4), map);
    EXPECT_EQ(flippedQuarter.run(703 - (371 + 173)), none);
    EXPECT_EQ(flippedQuarter.run(703 - (371 + 172)), (std::pair{282, 517}));
}

TEST(ShownDataMask, WideningRepeatsEachSampleSixTimesAndOriginalImageMovesNothing) {
    // A 33-sample narrow frame: its samples, then grey up to column 816.
    PictureState state;
    SetPictureGeometry(state, 816, 704);
    state.FrameStride = 816;
    state.HorizontalStretchOn = 1;
    state.ActiveOptions.FlipVertical = 1;
    state.DecodedRows = {.rows = std::vector<RowKind>(704, RowKind::Line), .firstDataColumn = 0, .dataColumns = 33};
    state.DecodedRows.rows[0] = RowKind::LostLine;
    const Mask widened{ShownDataMask(state), 816};
    EXPECT_EQ(widened.run(0), (std::pair{-1, -1}));  // flipped: the lost first line on top
    EXPECT_EQ(widened.run(1), (std::pair{0, 6 * 33 - 1}));
    const Mask original{ShownDataMask(state, false), 816};
    EXPECT_EQ(original.run(703), (std::pair{-1, -1}));
    EXPECT_EQ(original.run(1), (std::pair{0, 32}));
}

}  // namespace
}  // namespace orbalux
