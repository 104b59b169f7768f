// From a screen pixel back to the frame's line and sample, through the
// bottom-up bitmap, flip, rotate, the reductions and the widening.
#include <gtest/gtest.h>

#include "processing/chain_geometry.h"

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
