// Lost lines: where the decoder finds each line's marker, how many lines it
// counts as lost before it, and which of them it stands in for with filler
// rows.
#include "decode/frame_decoder.h"

#include <gtest/gtest.h>

#include "decode_test_support.h"

namespace orbalux {
namespace {

using namespace testing_support;
using enc::LineDefect;
using enc::MarkerKind;

struct Frame {
    orbalux::GreyImage picture;
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> markers;
};

Frame Encode(int lineFormat, int lines, std::vector<LineDefect> defects) {
    Frame frame{KnownPicture(enc::LineLayoutFor(lineFormat).PixelsPerLine(), lines, 7), {}, {}};
    auto file = enc::BuildPictureFile(
        {.lineFormat = lineFormat, .header = {.records = 2}, .picture = frame.picture, .defects = std::move(defects)});
    frame.bytes = std::move(file.bytes);
    frame.markers = std::move(file.markerOffsets);
    return frame;
}

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t word) {
    bytes[at] = static_cast<std::uint8_t>(word & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(word >> 8);
}

TEST(MissingLines, LateMarkerCountsTwoBytesPerLostLine) {
    const Frame f = Encode(945, 702, {{.line = 10, .droppedBefore = 1},
                                      {.line = 20, .droppedBefore = 2},
                                      {.line = 30, .droppedBefore = 12}});
    PictureState state;
    DecodeInto(state, f.bytes, {.compress = 1});
    // One lost line is always filled in; more are closed up.
    ExpectRows(state, 948, f.picture, 0, Concat({Lines(0, 9), {kFiller}, Lines(10, 40)}), 948);
    EXPECT_EQ(state.LostLineCount, 15);

    DecodeInto(state, f.bytes, {.compress = 0});
    ExpectRows(state, 948, f.picture, 0,
               Concat({Lines(0, 9), {kFiller}, Lines(10, 19), {kFiller, kFiller}, Lines(20, 29),
                       std::vector<int>(12, kFiller), Lines(30, 40)}),
               948);
    EXPECT_EQ(state.LostLineCount, 15);
    EXPECT_EQ(state.ImageHeight, 704);
}

TEST(MissingLines, FarProbesOf945Count50And130) {
    const Frame f = Encode(945, 702, {{.line = 100, .droppedBefore = 50}, {.line = 200, .droppedBefore = 130}});
    PictureState state;
    DecodeInto(state, f.bytes, {.compress = 0});
    ExpectRows(state, 948, f.picture, 0,
               Concat({Lines(0, 99), std::vector<int>(50, kFiller), Lines(100, 199),
                       std::vector<int>(130, kFiller), Lines(200, 210)}),
               948);
    EXPECT_EQ(state.LostLineCount, 180);

    DecodeInto(state, f.bytes, {.compress = 1});
    ExpectRows(state, 948, f.picture, 0, Lines(0, 701), 948);
    EXPECT_EQ(state.LostLineCount, 180);
}

TEST(MissingLines, FarMarkerWinsOverGapMarkerAtExpectedPlace) {
    Frame f = Encode(945, 702, {{.line = 701, .marker = MarkerKind::Gap1}});
    PutWord(f.bytes, f.markers[701] + 100, 0x04EC);  // inside the last line's data
    PictureState state;
    DecodeInto(state, f.bytes, {.compress = 1});
    EXPECT_EQ(state.LostLineCount, 50);
    ExpectRows(state, 948, f.picture, 0, Lines(0, 700), 948);
}

TEST(MissingLines, GapMarkersAddLostLinesToTheNextLine) {
    const Frame f = Encode(945, 702, {{.line = 10, .marker = MarkerKind::Gap1},
                                      {.line = 20, .marker = MarkerKind::Gap2},
                                      {.line = 30, .marker = MarkerKind::Gap1},
                                      {.line = 31, .displacement = -2},
                                      {.line = 40, .marker = MarkerKind::Gap2},
                                      {.line = 41, .displacement = -2},
                                      {.line = 50, .displacement = -4},
                                      {.line = 60, .displacement = -2}});
    // counts: line 11: 1; line 21: 2; line 31: -1 + 1 = 0; line 41: -1 + 2 = 1;
    // lines 50 and 60: negative, so 0.
    PictureState state;
    DecodeInto(state, f.bytes, {.compress = 1});
    ExpectRows(state, 948, f.picture, 0,
               Concat({Lines(0, 10), {kFiller}, Lines(11, 40), {kFiller}, Lines(41, 80)}), 948, {30, 40, 49, 59});
    EXPECT_EQ(state.LostLineCount, 4);

    DecodeInto(state, f.bytes, {.compress = 0});
    ExpectRows(state, 948, f.picture, 0,
               Concat({Lines(0, 10), {kFiller}, Lines(11, 20), {kFiller, kFiller}, Lines(21, 40), {kFiller},
                       Lines(41, 80)}),
               948, {30, 40, 49, 59});
    EXPECT_EQ(state.LostLineCount, 4);
}

TEST(MissingLines, GapMarkerFoundLateCountsForItsLineAndTheNext) {
    const Frame f = Encode(945, 702, {{.line = 10, .droppedBefore = 1, .marker = MarkerKind::Gap1},
                                      {.line = 20, .droppedBefore = 2, .marker = MarkerKind::Gap2}});
    PictureState state;
    DecodeInto(state, f.bytes, {.compress = 0});
    ExpectRows(state, 948, f.picture, 0,
               Concat({Lines(0, 9), {kFiller}, {10}, {kFiller}, Lines(11, 19), {kFiller, kFiller}, {20},
                       {kFiller, kFiller}, Lines(21, 30)}),
               948);
    EXPECT_EQ(state.LostLineCount, 1 + 1 + 2 + 2);
}

TEST(MissingLines, SecondGapMarkerMeansNothingWhereTheFormatHasNone) {
    // 955 neither probes for nor counts primary - 4; the line is still read
    // from behind its marker word.
    const Frame f = Encode(955, 702, {{.line = 10, .marker = MarkerKind::Gap2}});
    PictureState state;
    DecodeInto(state, f.bytes, {.lineFormat = 955, .compress = 0});
    ExpectRows(state, 956, f.picture, 0, Lines(0, 701), 956);
    EXPECT_EQ(state.LostLineCount, 0);
}

TEST(MissingLines, EachFormatFindsOneLostLineAndItsGapMarker) {
    for (const enc::LineLayout& layout : enc::AllLineLayouts()) {
        SCOPED_TRACE(layout.lineFormat);
        const Frame f = Encode(layout.lineFormat, 60, {{.line = 10, .droppedBefore = 1},
                                                       {.line = 20, .marker = MarkerKind::Gap1}});
        PictureState state;
        DecodeInto(state, f.bytes, {.lineFormat = layout.lineFormat, .compress = 1});
        const int greyFrom = layout.lineFormat == 136 ? 136 : layout.lineFormat == 34 ? 33 : state.ImageWidth;
        ExpectRows(state, state.ImageWidth, f.picture, 0,
                   Concat({Lines(0, 9), {kFiller}, Lines(10, 20), {kFiller}, Lines(21, 59)}), greyFrom);
        EXPECT_EQ(state.LostLineCount, 2);
    }
}

TEST(MissingLines, NarrowFormatsProbeBackOnlyFromByteFourOn) {
    for (int format : {136, 34}) {
        SCOPED_TRACE(format);
        const int pixels = enc::LineLayoutFor(format).PixelsPerLine();
        const orbalux::GreyImage picture = KnownPicture(pixels, 20, 5);
        // The first record starts 2 bytes before the data offset.
        const auto at0 = enc::BuildPictureFile({.lineFormat = format, .header = {.records = 0}, .dataOffset = 0,
                                                .picture = picture})
                             .bytes;
        PictureState state;
        DecodeInto(state, at0, {.lineFormat = format, .dataOffset = 2});
        // Not found at offset 0: the line is read from 2 bytes behind the data offset.
        EXPECT_TRUE(RowReadFrom(state, 816, 0, at0, 4, pixels / 3 - 1));
        EXPECT_FALSE(RowHoldsLine(state, 816, 0, picture, 0));
        ExpectRows(state, 816, picture, 1, Lines(1, 19), pixels + (format == 136));

        const auto at2 = enc::BuildPictureFile({.lineFormat = format, .header = {.records = 0}, .dataOffset = 2,
                                                .picture = picture})
                             .bytes;
        DecodeInto(state, at2, {.lineFormat = format, .dataOffset = 4});
        ExpectRows(state, 816, picture, 0, Lines(0, 19), pixels + (format == 136));
        EXPECT_EQ(state.LostLineCount, 0);
    }
}

TEST(MissingLines, Format960TriesEarlyMarkersBeforeFarOnes) {
    const Frame f = Encode(960, 775, {{.line = 100, .droppedBefore = 7},
                                      {.line = 200, .droppedBefore = 23},
                                      {.line = 774, .displacement = -2}});
    Frame patched = f;
    // A marker word 14 bytes late in the last line's data loses to the real one 2 bytes early.
    PutWord(patched.bytes, f.markers[774] + 2 + 14, 0x0500);
    PictureState state;
    DecodeInto(state, patched.bytes, {.lineFormat = 960, .compress = 0});
    ExpectRows(state, 960, f.picture, 0,
               Concat({Lines(0, 99), std::vector<int>(7, kFiller), Lines(100, 199), std::vector<int>(23, kFiller),
                       Lines(200, 773)}),
               960, {773});
    EXPECT_EQ(state.LostLineCount, 30);
    const auto last = Row(state, 960, 774 + 30);
    for (int x = 0; x < 9; ++x) EXPECT_EQ(last[x], f.picture.At(x, 774)) << x;
}

TEST(MissingLines, Format999ReachesFurtherWithGapMarkers) {
    const Frame f = Encode(999, 770, {{.line = 10, .droppedBefore = 4, .marker = MarkerKind::Gap1},
                                      {.line = 20, .droppedBefore = 22},
                                      {.line = 30, .marker = MarkerKind::Gap2},
                                      {.line = 31, .displacement = -2, .marker = MarkerKind::Gap2}});
    // line 10: G1 at 8 -> 4, line 11: +1; line 20: 22; line 31: -1 + 2 = 1, line 32: +2
    PictureState state;
    DecodeInto(state, f.bytes, {.lineFormat = 999, .compress = 1});
    ExpectRows(state, 1000, f.picture, 0,
               Concat({Lines(0, 10), {kFiller}, Lines(11, 30), {kFiller}, Lines(31, 60)}), 1000, {30});
    EXPECT_EQ(state.LostLineCount, 4 + 1 + 22 + 1 + 2);
}

TEST(MissingLines, DamagedMarkerFallsBackByTheFormatsRule) {
    // 945 and 975 take a marker-like pair as a damaged marker (data 2 bytes
    // on) and anything else as no marker at all (data 4 bytes on); the
    // others always read from 2 bytes on.
    struct Case { int format; std::uint16_t lowLike, highLike, neither; bool wide; };
    for (const Case c : {Case{945, 0x00EC, 0x0400, 0x2211, true}, Case{945, 0x00EA, 0x0400, 0x1111, true},
                         Case{975, 0x0013, 0x0500, 0x2211, true}, Case{600, 0x0020, 0x0300, 0x2211, false}}) {
        SCOPED_TRACE(c.format);
        const Frame f = Encode(c.format, 50, {{.line = 10, .marker = MarkerKind::Custom, .customMarker = c.lowLike},
                                              {.line = 20, .marker = MarkerKind::Custom, .customMarker = c.highLike},
                                              {.line = 30, .marker = MarkerKind::Custom, .customMarker = c.neither}});
        PictureState state;
        DecodeInto(state, f.bytes, {.lineFormat = c.format});
        const int w = state.ImageWidth;
        ExpectRows(state, w, f.picture, 0, Lines(0, 29), w);
        // after a wide step, the next marker lies 2 bytes early and puts the frame right again
        EXPECT_TRUE(RowReadFrom(state, w, 30, f.bytes, f.markers[30] + (c.wide ? 4 : 2), f.picture.width / 3 - 1));
        ExpectRows(state, w, f.picture, 31, Lines(31, 49), w);
        EXPECT_EQ(state.LostLineCount, 0);
    }
}

}  // namespace
}  // namespace orbalux
