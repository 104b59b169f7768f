// The 999-sample format: frame length chosen by the catalogue's line count,
// and the files whose line data begin at their gap marker.
#include "decode/frame_decoder.h"

#include <gtest/gtest.h>

#include "intake/catalogue.h"
#include "decode_test_support.h"

namespace orbalux {
namespace {

using namespace testing_support;
using enc::MarkerKind;

struct LineCountCase {
    int frameLineCount, lines, height;
};

class LineCount999 : public ::testing::TestWithParam<LineCountCase> {};

TEST_P(LineCount999, DecodesTheChosenNumberOfLines) {
    const LineCountCase c = GetParam();
    // More lines than the frame takes: the rest of the file is not read.
    const orbalux::GreyImage picture = KnownPicture(999, c.lines + 3, 11);
    PictureState state;
    DecodeInto(state, enc::EncodePicture(999, picture), {.lineFormat = 999, .frameLineCount = c.frameLineCount});
    EXPECT_EQ(state.ImageWidth, 1000);
    EXPECT_EQ(state.ImageHeight, c.height);
    EXPECT_TRUE(RowHoldsLine(state, 1000, 0, picture, 0));
    EXPECT_TRUE(RowHoldsLine(state, 1000, c.lines - 1, picture, c.lines - 1));
    EXPECT_EQ(Row(state, 1000, c.lines - 1)[999], 0);
    for (int r = c.lines; r < c.height; ++r) EXPECT_TRUE(IsFillerRow(state, 1000, r, 1000));
}

INSTANTIATE_TEST_SUITE_P(FrameDecoder, LineCount999,
                         ::testing::Values(LineCountCase{1325, 1325, 1328}, LineCountCase{1350, 1350, 1352},
                                           LineCountCase{999, 998, 1000}, LineCountCase{1000, 998, 1000},
                                           LineCountCase{900, 898, 900}, LineCountCase{0, 770, 772},
                                           LineCountCase{1234, 770, 772}),
                         [](const auto& info) { return "FrameLineCount" + std::to_string(info.param.frameLineCount); });

TEST(Decode999, LastRowOf1325LinePictureIsBlankAfterATallerPicture) {
    // 1,325 lines and 2 tail rows leave the 1,328th row to what the
    // previous picture put there; it must not show through.
    PictureState state;
    DecodeInto(state, enc::EncodePicture(999, KnownPicture(999, 1350, 2)), {.lineFormat = 999, .frameLineCount = 1350});
    ASSERT_NE(Row(state, 1000, 1327)[0], 0);

    DecodeInto(state, enc::EncodePicture(999, KnownPicture(999, 1325, 3)), {.lineFormat = 999, .frameLineCount = 1325});
    ASSERT_EQ(state.ImageHeight, 1328);
    EXPECT_TRUE(IsFillerRow(state, 1000, 1327, 1000));
}

TEST(Decode999, CatalogueGivesSampleFileItsSizeAndLines) {
    const orbalux::GreyImage picture = KnownPicture(999, 1350, 4);
    const auto bytes = enc::EncodePicture(999, picture, {.records = 1, .text1 = "MARINER 7"});
    const CatalogueParameters p = LookUpCatalogue("69_311.002");
    PictureState state;
    DecodeInto(state, bytes, {.lineFormat = p.lineFormat, .dataOffset = p.dataOffset, .name = "69_311.002",
                              .frameLineCount = p.frameLineCount});
    EXPECT_EQ(state.ImageWidth, 1000);
    EXPECT_EQ(state.ImageHeight, 1352);
    EXPECT_TRUE(RowHoldsLine(state, 1000, 1349, picture, 1349));
    EXPECT_EQ(state.HeaderLines[0].substr(0, 9), "MARINER 7");
}

// A gap marker at the expected place whose record is two bytes short: the
// marker word is the start of the line's data. The next record's marker
// stands where such a record ends.
struct MarkerInData {
    orbalux::GreyImage picture = KnownPicture(999, 60, 9);
    enc::EncodedFile file = enc::BuildPictureFile({.lineFormat = 999,
                                                   .header = {.records = 2},
                                                   .picture = picture,
                                                   .defects = {{.line = 10, .marker = MarkerKind::Gap1},
                                                               {.line = 11, .displacement = -2}}});
};

TEST(Decode999, NamedFilesReadTheGapMarkerAsLineData) {
    const MarkerInData f;
    for (const char* name : {"69_061.008", "69_061.009", "69_061.010", "69_061.012", "69_061.013", "69_071.003",
                             "69_071.999"}) {
        SCOPED_TRACE(name);
        PictureState state;
        DecodeInto(state, f.file.bytes, {.lineFormat = 999, .name = name});
        const auto row = Row(state, 1000, 10);
        EXPECT_EQ(row[0], 0x32 * 4);  // 32 05 unpacked: 200
        EXPECT_TRUE(RowReadFrom(state, 1000, 10, f.file.bytes, f.file.markerOffsets[10], 333));
        EXPECT_FALSE(RowHoldsLine(state, 1000, 10, f.picture, 10, 0, 3));
        ExpectRows(state, 1000, f.picture, 11, Lines(11, 59), 1000);
        EXPECT_EQ(state.LostLineCount, 0);
    }
}

TEST(Decode999, OtherFilesReadAGapMarkerAsAMarker) {
    const MarkerInData f;
    for (const char* name : {"69_061.011", "69_041.001", "69_07", "TEST.001"}) {
        SCOPED_TRACE(name);
        PictureState state;
        DecodeInto(state, f.file.bytes, {.lineFormat = 999, .name = name});
        // The next marker lies 2 bytes early behind a gap marker: no line lost.
        ExpectRows(state, 1000, f.picture, 0, Lines(0, 59), 1000, {10});
        EXPECT_EQ(state.LostLineCount, 0);
    }
}

TEST(Decode999, MarkerInDataTwoBytesLateCountsNothingForItsLine) {
    const orbalux::GreyImage picture = KnownPicture(999, 30, 6);
    const auto file = enc::BuildPictureFile({.lineFormat = 999,
                                             .header = {.records = 2},
                                             .picture = picture,
                                             .defects = {{.line = 10, .droppedBefore = 1, .marker = MarkerKind::Gap1}}});
    PictureState state;
    DecodeInto(state, file.bytes, {.lineFormat = 999, .name = "69_071.003", .compress = 0});
    // Line 10 read from its marker; line 11's marker then lies 2 bytes late.
    EXPECT_TRUE(RowReadFrom(state, 1000, 10, file.bytes, file.markerOffsets[10], 333));
    EXPECT_TRUE(IsFillerRow(state, 1000, 11, 1000));
    ExpectRows(state, 1000, picture, 12, Lines(11, 29), 1000);
    EXPECT_EQ(state.LostLineCount, 1);

    DecodeInto(state, file.bytes, {.lineFormat = 999, .name = "69_041.003", .compress = 0});
    ExpectRows(state, 1000, picture, 0, Concat({Lines(0, 9), {kFiller}, {10}, {kFiller}, Lines(11, 29)}), 1000);
    EXPECT_EQ(state.LostLineCount, 2);
}

TEST(Decode999, MarkerInDataFourBytesLateOnlyForSomeNames) {
    const orbalux::GreyImage picture = KnownPicture(999, 30, 8);
    const auto file = enc::BuildPictureFile({.lineFormat = 999,
                                             .header = {.records = 2},
                                             .picture = picture,
                                             .defects = {{.line = 10, .droppedBefore = 2, .marker = MarkerKind::Gap1}}});
    PictureState state;
    // 69_061.008 reads the marker as data only at 0 and 2 bytes: here it is
    // an ordinary gap marker 4 bytes late (2 lost), then 1 more for the next line.
    DecodeInto(state, file.bytes, {.lineFormat = 999, .name = "69_061.008", .compress = 1});
    ExpectRows(state, 1000, picture, 0, Concat({Lines(0, 10), {kFiller}, Lines(11, 29)}), 1000);
    EXPECT_EQ(state.LostLineCount, 3);

    for (const char* name : {"69_061.012", "69_061.013", "69_071.012"}) {
        SCOPED_TRACE(name);
        DecodeInto(state, file.bytes, {.lineFormat = 999, .name = name, .compress = 1});
        // One lost line, the line read from its marker, and the next line 2 bytes late.
        ExpectRows(state, 1000, picture, 0, Concat({Lines(0, 9), {kFiller}}), 1000);
        EXPECT_TRUE(RowReadFrom(state, 1000, 11, file.bytes, file.markerOffsets[10], 333));
        ExpectRows(state, 1000, picture, 12, Concat({{kFiller}, Lines(11, 29)}), 1000);
        EXPECT_EQ(state.LostLineCount, 2);
    }
}

}  // namespace
}  // namespace orbalux
