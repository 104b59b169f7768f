// The row map the decoder writes, and the cut-short rule, for files whose
// lost lines leave their records out (as on the volume) and files that keep
// a record for every line.
#include <gtest/gtest.h>

#include "decode_test_support.h"

namespace orbalux {
namespace {

using namespace testing_support;
using enc::LostLineShape;

constexpr int kRecord945 = 2 + 4 * 315;

// The expected map: runs of (kind, count).
std::vector<RowKind> Runs(std::initializer_list<std::pair<RowKind, int>> runs) {
    std::vector<RowKind> rows;
    for (const auto& [kind, count] : runs) rows.insert(rows.end(), static_cast<std::size_t>(count), kind);
    return rows;
}

enc::EncodedFile Encode945(LostLineShape shape, const GreyImage& picture) {
    // One line lost in front of line 100 and two in front of line 300.
    return enc::BuildPictureFile({.lineFormat = 945,
                                  .header = {.records = 2},
                                  .picture = picture,
                                  .defects = {{.line = 100, .droppedBefore = 1, .shape = shape},
                                              {.line = 300, .droppedBefore = 2, .shape = shape}}});
}

TEST(RowMap, LostLinesWhoseRecordsAreAbsentReadTheLastLinesPastTheEndWithoutCuttingTheFileShort) {
    const GreyImage picture = KnownPicture(945, 702, 3);
    const enc::EncodedFile file = Encode945(LostLineShape::RecordsAbsent, picture);
    ASSERT_EQ(file.markerOffsets.size(), 699u);  // 702 lines, 3 of them lost
    PictureState state;

    DecodeInto(state, file.bytes, {.compress = 1});
    // 99 lines, a filler for the single lost line, the other 600 records;
    // the walk reads its last 3 lines past the end, and the frame's first
    // tail row ends the 704 rows. The two lost lines before line 300 close up.
    EXPECT_EQ(state.DecodedRows.rows, Runs({{RowKind::Line, 99},
                                            {RowKind::LostLine, 1},
                                            {RowKind::Line, 600},
                                            {RowKind::PastEnd, 3},
                                            {RowKind::Tail, 1}}));
    EXPECT_TRUE(IsFillerRow(state, 948, 99, 948));
    EXPECT_TRUE(RowHoldsLine(state, 948, 100, picture, 100));
    EXPECT_TRUE(RowHoldsLine(state, 948, 298, picture, 300));
    EXPECT_EQ(state.LostLineCount, 3);
    EXPECT_EQ(state.LinesWithinFile, 699);
    EXPECT_EQ(LinesShortOfFrame(state), 0);

    DecodeInto(state, file.bytes, {.compress = 0});
    EXPECT_EQ(state.DecodedRows.rows, Runs({{RowKind::Line, 99},
                                            {RowKind::LostLine, 1},
                                            {RowKind::Line, 198},
                                            {RowKind::LostLine, 2},
                                            {RowKind::Line, 402},
                                            {RowKind::PastEnd, 2}}));
    EXPECT_EQ(CountRows(state.DecodedRows, RowKind::LostLine), 3);

    // Cut at half: the records wholly before the cut, the 3 lost lines in
    // front of them, and the rest of the frame missing at its end.
    std::vector<std::uint8_t> cut = file.bytes;
    cut.resize(cut.size() / 2);
    int within = 0;
    for (const std::size_t marker : file.markerOffsets) within += marker + kRecord945 <= cut.size() ? 1 : 0;
    ASSERT_GT(within, 300);  // both losses lie before the cut
    DecodeInto(state, cut, {.compress = 1});
    EXPECT_EQ(state.LinesWithinFile, within);
    EXPECT_EQ(LinesShortOfFrame(state), 702 - within - 3);
    EXPECT_EQ(state.DecodedRows.rows, Runs({{RowKind::Line, 99},
                                            {RowKind::LostLine, 1},
                                            {RowKind::Line, within - 99},
                                            {RowKind::PastEnd, 702 - within},
                                            {RowKind::Tail, 1}}));
}

TEST(RowMap, LostLinesThatKeepTheirRecordsFillInBeforeTheLineAndLeaveTheFrameWhole) {
    const GreyImage picture = KnownPicture(945, 702, 4);
    const enc::EncodedFile file = Encode945(LostLineShape::RecordsKept, picture);
    ASSERT_EQ(file.markerOffsets.size(), 702u);
    PictureState state;
    DecodeInto(state, file.bytes, {.compress = 1});
    EXPECT_EQ(state.DecodedRows.rows,
              Runs({{RowKind::Line, 100}, {RowKind::LostLine, 1}, {RowKind::Line, 602}, {RowKind::Tail, 1}}));
    EXPECT_TRUE(RowHoldsLine(state, 948, 101, picture, 100));
    EXPECT_EQ(LinesShortOfFrame(state), 0);
}

TEST(RowMap, ZeroBytesPaddingAFileToABlockSizeMakeNoLine) {
    // A format of each probe list and fallback, lost lines of both shapes;
    // the 999-sample frame as long as 69_311.002's.
    for (const int lineFormat : {945, 999, 136, 34, 975, 960, 955, 876, 951, 600}) {
        for (const LostLineShape shape : {LostLineShape::RecordsAbsent, LostLineShape::RecordsKept}) {
            SCOPED_TRACE(::testing::Message() << lineFormat << (shape == LostLineShape::RecordsKept ? " kept" : ""));
            const enc::LineLayout& layout = enc::LineLayoutFor(lineFormat);
            const int lines = lineFormat == 999 ? 1350 : layout.linesPerFrame;
            const enc::EncodedFile file =
                enc::BuildPictureFile({.lineFormat = lineFormat,
                                       .header = {.records = 2},
                                       .picture = KnownPicture(layout.PixelsPerLine(), lines, 6),
                                       .defects = {{.line = 100, .droppedBefore = 1, .shape = shape},
                                                   {.line = 300, .droppedBefore = 1, .shape = shape}}});
            const DecodeSetup setup{.lineFormat = lineFormat, .frameLineCount = lineFormat == 999 ? 1350 : 0};
            PictureState plain;
            DecodeInto(plain, file.bytes, setup);
            EXPECT_EQ(plain.LinesWithinFile, static_cast<int>(file.markerOffsets.size()));
            EXPECT_EQ(LinesShortOfFrame(plain), 0);
            // Padded to a 64 KiB block, and past the size read.
            for (const std::size_t padded : {(file.bytes.size() / 65536 + 1) * 65536, std::size_t{2200000}}) {
                std::vector<std::uint8_t> bytes = file.bytes;
                bytes.resize(padded, 0);
                PictureState state;
                DecodeInto(state, bytes, setup);
                EXPECT_EQ(state.DecodedRows, plain.DecodedRows) << padded;
                EXPECT_EQ(state.LinesWithinFile, plain.LinesWithinFile) << padded;
                EXPECT_EQ(LinesShortOfFrame(state), 0) << padded;
                EXPECT_TRUE(state.DecodedImage == plain.DecodedImage) << padded;
            }
        }
    }
}

TEST(RowMap, ARecordWithoutItsMarkerIsReadButIsNoLine) {
    const GreyImage picture = KnownPicture(999, 770, 8);
    const std::vector<std::uint8_t> bytes = enc::EncodePicture(
        999, picture, {.records = 2},
        std::vector<enc::LineDefect>{{.line = 200, .marker = enc::MarkerKind::Custom, .customMarker = 0x0102}});
    PictureState state;
    DecodeInto(state, bytes, {.lineFormat = 999});
    // Read from where its record starts, but no line; the file is whole.
    EXPECT_TRUE(RowHoldsLine(state, 1000, 200, picture, 200));
    EXPECT_EQ(state.DecodedRows.rows[200], RowKind::Unmarked);
    EXPECT_EQ(state.LinesWithinFile, 769);
    EXPECT_EQ(LinesShortOfFrame(state), 0);
}

TEST(RowMap, DataColumnsAreTheLinesSamplesAndTheFrameEndsInTailRows) {
    struct Case {
        int lineFormat;
        int samples;  // 3 per pixel group
        int width;
        int lines;    // records of a whole frame
        int height;
    };
    for (const Case c : {Case{136, 135, 816, 702, 704}, Case{34, 33, 816, 702, 704}, Case{999, 999, 1000, 770, 772},
                         Case{600, 600, 600, 800, 800}}) {
        SCOPED_TRACE(c.lineFormat);
        const GreyImage picture = KnownPicture(c.samples, c.lines, 5);
        const std::vector<std::uint8_t> bytes = enc::EncodePicture(c.lineFormat, picture, {.records = 2});
        PictureState state;
        DecodeInto(state, bytes, {.lineFormat = c.lineFormat});
        const RowMap& map = state.DecodedRows;
        EXPECT_EQ(map.firstDataColumn, 0);
        EXPECT_EQ(map.dataColumns, c.samples);
        EXPECT_EQ(map.rows, Runs({{RowKind::Line, c.lines}, {RowKind::Tail, c.height - c.lines}}));
        EXPECT_TRUE(IsDataPixel(map, 0, c.samples - 1));
        EXPECT_FALSE(IsDataPixel(map, 0, c.samples));  // the row-end zero or the grey field
        EXPECT_FALSE(IsDataPixel(map, 0, -1));
        EXPECT_EQ(IsDataPixel(map, c.height - 1, 0), c.height == c.lines);  // 600-sample frames have no tail
        EXPECT_FALSE(IsDataPixel(map, c.height, 0));
    }
}

}  // namespace
}  // namespace orbalux
