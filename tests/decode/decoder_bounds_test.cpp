// Files shorter or longer than their frame, and damaged files that would
// lead the decoder past the ends of its buffers.
#include "decode/frame_decoder.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "decode_test_support.h"

namespace orbalux {
namespace {

using namespace testing_support;

bool AllZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](auto b) { return b == 0; });
}

TEST(DecoderBounds, ShortFileEndsInBlackRowsSteppedByTheFallback) {
    // Behind the file's end no marker is found, and each line moves on by
    // the fallback step plus the line's data: 4 + 1260 for 945, 2 + 800 for
    // 600. A record placed five such steps on is found again.
    struct Case { int format, width, step; };
    for (const Case c : {Case{945, 948, 1264}, Case{600, 600, 802}}) {
        SCOPED_TRACE(c.format);
        const int pixels = enc::LineLayoutFor(c.format).PixelsPerLine();
        const orbalux::GreyImage picture = KnownPicture(pixels, 100, 12);
        std::vector<std::uint8_t> bytes = enc::EncodePicture(c.format, picture);
        const orbalux::GreyImage late = KnownPicture(pixels, 1, 13);
        const auto record = enc::EncodePicture(c.format, late, {.records = 0});
        bytes.resize(bytes.size() + 5 * c.step);
        bytes.insert(bytes.end(), record.begin(), record.end());

        PictureState state;
        DecodeInto(state, bytes, {.lineFormat = c.format});
        ExpectRows(state, c.width, picture, 0, Lines(0, 99), c.width);
        for (int r = 100; r < 105; ++r) EXPECT_TRUE(AllZero(Row(state, c.width, r))) << r;
        EXPECT_TRUE(RowHoldsLine(state, c.width, 105, late, 0));
        for (int r = 106; r < state.ImageHeight; ++r) ASSERT_TRUE(AllZero(Row(state, c.width, r))) << r;
        EXPECT_EQ(state.LostLineCount, 0);
    }
}

TEST(DecoderBounds, DecodedImageIsClearedBeforeEachDecode) {
    PictureState state;
    DecodeInto(state, enc::EncodePicture(945, KnownPicture(945, 702, 1)), {.lineFormat = 945});
    DecodeInto(state, enc::EncodePicture(600, KnownPicture(600, 800, 2)), {.lineFormat = 600});
    const std::size_t end = kPictureOrigin + 600u * 800u;
    EXPECT_TRUE(AllZero({state.DecodedImage.data() + end, state.DecodedImage.size() - end}));
    EXPECT_TRUE(AllZero({state.FileBuffer.data() + end, state.FileBuffer.size() - end}));
}

TEST(DecoderBounds, MarkerAtTheBufferEndReadsZerosBeyondIt) {
    // A line record begins 10 bytes before the end of the 2,100,000-byte
    // buffer: two groups of 3F lie inside, everything after reads as zero.
    std::vector<std::uint8_t> bytes(kFileBufferSize, 0);
    const std::size_t at = kFileBufferSize - 10;
    bytes[at] = 0xEC;
    bytes[at + 1] = 0x04;
    std::fill(bytes.begin() + at + 2, bytes.end(), 0x3F);
    PictureState state;
    DecodeInto(state, bytes, {.lineFormat = 945, .dataOffset = static_cast<int>(at)});
    const auto row = Row(state, 948, 0);
    EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 7), (std::vector<int>{255, 255, 255, 255, 255, 255, 0}));
    EXPECT_TRUE(AllZero(row.subspan(6)));
    for (int r = 1; r < 704; ++r) ASSERT_TRUE(AllZero(Row(state, 948, r))) << r;
    EXPECT_EQ(state.LostLineCount, 0);
}

TEST(DecoderBounds, FillerRowsRunningPastTheBufferAreDropped) {
    // Every marker 260 bytes late: 130 lost lines before each of the 702
    // lines, far more rows than the buffer holds when they are filled in.
    std::vector<enc::LineDefect> defects;
    for (int line = 0; line < 702; ++line) defects.push_back({.line = line, .droppedBefore = 130});
    const orbalux::GreyImage picture = KnownPicture(945, 702, 14);
    const auto bytes = enc::BuildPictureFile({.lineFormat = 945, .header = {.records = 2}, .picture = picture,
                                              .defects = defects})
                           .bytes;
    PictureState state;
    DecodeInto(state, bytes, {.compress = 0});
    ASSERT_EQ(state.DecodedImage.size(), std::size_t(kFileBufferSize));
    ASSERT_EQ(state.FileBuffer.size(), std::size_t(kFileBufferSize));
    EXPECT_EQ(state.LostLineCount, 702 * 130);
    ExpectRows(state, 948, picture, 0,
               Concat({std::vector<int>(130, kFiller), {0}, std::vector<int>(130, kFiller), {1},
                       std::vector<int>(130, kFiller), {2}}),
               948);

    DecodeInto(state, bytes, {.compress = 1});
    ExpectRows(state, 948, picture, 0, Lines(0, 701), 948);
    EXPECT_EQ(state.LostLineCount, 702 * 130);
}

TEST(DecoderBounds, WideFrameWithInsertedRowsStaysInsideTheBuffer) {
    // The largest frame, 1024 x 1504, with a line lost before every odd
    // line: 751 filler rows push its last 200 lines and its tail row past
    // the buffer's end, where they are dropped.
    std::vector<enc::LineDefect> defects;
    for (int line = 1; line < 1503; line += 2) defects.push_back({.line = line, .droppedBefore = 1});
    const orbalux::GreyImage picture = KnownPicture(1023, 1503, 15);
    PictureState state;
    DecodeInto(state,
               enc::BuildPictureFile({.lineFormat = 1023, .header = {.records = 0}, .picture = picture,
                                      .defects = defects})
                   .bytes,
               {.lineFormat = 1023, .dataOffset = 0});
    ASSERT_EQ(state.DecodedImage.size(), std::size_t(kFileBufferSize));
    EXPECT_EQ(state.LostLineCount, 751);
    // Line L (odd) lies (L + 1) / 2 rows down; the last whole row that fits is 2049.
    ExpectRows(state, 1024, picture, 1500, Concat({{1000}, {kFiller}, {1001}, {1002}}), 1024);
    ExpectRows(state, 1024, picture, 2046, Concat({{1364}, {kFiller}, {1365}, {1366}}), 1024);
    EXPECT_EQ(state.ImageHeight, 1504);
}

}  // namespace
}  // namespace orbalux
