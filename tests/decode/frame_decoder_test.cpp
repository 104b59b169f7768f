// Every line format decodes a well-formed frame of known pixels into rows of
// the format's width, with its row ends, tail rows and picture size.
#include "decode/frame_decoder.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "decode_test_support.h"

namespace orbalux {
namespace {

using namespace testing_support;

// Columns: format, pixels per line, W, lines N, tail rows T, H, first grey
// column of every row (W where a format has no grey part).
struct FormatFigures {
    int lineFormat, pixels, width, lines, tail, height, greyFrom;
};

constexpr FormatFigures kFigures[] = {
    {945, 945, 948, 702, 2, 704, 948},     {999, 999, 1000, 770, 2, 772, 1000},
    {136, 135, 816, 702, 2, 704, 136},     {975, 975, 976, 775, 1, 776, 976},
    {960, 960, 960, 775, 1, 776, 960},     {955, 954, 956, 702, 2, 704, 956},
    {801, 801, 804, 1025, 3, 1028, 804},   {699, 699, 700, 950, 2, 952, 700},
    {876, 876, 876, 950, 2, 912, 876},     {1023, 1023, 1024, 1503, 1, 1504, 1024},
    {951, 951, 952, 1297, 3, 1300, 952},   {849, 849, 852, 850, 2, 852, 852},
    {600, 600, 600, 800, 0, 800, 600},     {750, 750, 752, 775, 1, 776, 752},
    {864, 864, 864, 750, 2, 752, 864},     {34, 33, 816, 702, 2, 704, 33},
};

class EveryFormat : public ::testing::TestWithParam<FormatFigures> {};

TEST_P(EveryFormat, WellFormedFrameDecodesToKnownRows) {
    const FormatFigures f = GetParam();
    const orbalux::GreyImage picture = KnownPicture(f.pixels, f.lines, static_cast<unsigned>(f.lineFormat));
    // Trailing bytes of 3F would decode as white if they were taken for pixels.
    const auto bytes = enc::BuildPictureFile({.lineFormat = f.lineFormat,
                                              .header = {.records = 2, .text1 = "ORBALUX TEST FRAME"},
                                              .picture = picture,
                                              .trailingFill = 0x3F})
                           .bytes;
    PictureState state;
    DecodeInto(state, bytes, {.lineFormat = f.lineFormat, .dataOffset = 964});

    EXPECT_EQ(state.ImageWidth, f.width);
    EXPECT_EQ(state.ImageHeight, f.height);
    const unsigned pixelBytes = 3u * f.width * f.height, fileSize = 54 + pixelBytes;
    const std::array<std::uint8_t, 10> header{
        std::uint8_t(fileSize), std::uint8_t(fileSize >> 8), std::uint8_t(fileSize >> 16),
        std::uint8_t(f.width),  std::uint8_t(f.width >> 8),  std::uint8_t(f.height),
        std::uint8_t(f.height >> 8), std::uint8_t(pixelBytes), std::uint8_t(pixelBytes >> 8),
        std::uint8_t(pixelBytes >> 16)};
    EXPECT_EQ(state.BitmapHeaderBytes, header);
    EXPECT_EQ(state.LostLineCount, 0);
    EXPECT_EQ(state.HeaderLines[0].substr(0, 18), "ORBALUX TEST FRAME");

    for (int r = 0; r < f.lines; ++r) {
        ASSERT_TRUE(RowHoldsLine(state, f.width, r, picture, r));
        const auto row = Row(state, f.width, r);
        for (int x = f.pixels; x < f.width; ++x) {
            ASSERT_EQ(row[x], x < f.greyFrom ? 0 : 160) << "row " << r << " column " << x;
        }
    }
    // The tail rows are written even where they lie below the picture (876).
    for (int t = 0; t < f.tail; ++t) EXPECT_TRUE(IsFillerRow(state, f.width, f.lines + t, f.greyFrom));

    const auto& image = state.DecodedImage;
    ASSERT_EQ(image.size(), std::size_t(kFileBufferSize));
    EXPECT_TRUE(std::all_of(image.begin(), image.begin() + kPictureOrigin, [](auto b) { return b == 0; }));
    const std::size_t end = kPictureOrigin + std::size_t(f.lines + f.tail) * f.width;
    EXPECT_TRUE(std::all_of(image.begin() + end, image.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(state.FileBuffer, state.DecodedImage);
}

TEST_P(EveryFormat, HighBitsOfPixelBytesAreIgnored) {
    const FormatFigures f = GetParam();
    const orbalux::GreyImage picture = KnownPicture(f.pixels, 40, 3);
    const auto bytes = enc::BuildPictureFile({.lineFormat = f.lineFormat,
                                              .header = {.records = 0},
                                              .picture = picture,
                                              .junkSeed = 1234u})
                           .bytes;
    PictureState state;
    DecodeInto(state, bytes, {.lineFormat = f.lineFormat, .dataOffset = 0});
    for (int r = 0; r < 40; ++r) ASSERT_TRUE(RowHoldsLine(state, f.width, r, picture, r));
}

INSTANTIATE_TEST_SUITE_P(FrameDecoder, EveryFormat, ::testing::ValuesIn(kFigures),
                         [](const auto& info) { return "Format" + std::to_string(info.param.lineFormat); });

TEST(FrameDecoder, PixelGroupsUnpackSixBitsPerByte) {
    // 01 02 03 04 -> 4, 32, 196; 3F 3F 3F 3F -> 255 x3; top bits do not count.
    std::vector<std::uint8_t> file{0xEC, 0x04, 0x01, 0x02, 0x03, 0x04, 0x3F, 0x3F, 0x3F, 0x3F,
                                   0xC1, 0x82, 0x43, 0x04};
    PictureState state;
    DecodeInto(state, file, {.lineFormat = 945, .dataOffset = 0});
    const auto row = Row(state, 948, 0);
    EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 10),
              (std::vector<int>{4, 32, 196, 255, 255, 255, 4, 32, 196, 0}));
}

TEST(FrameDecoder, FormatZeroIsReadAs945) {
    const orbalux::GreyImage picture = KnownPicture(945, 5);
    PictureState state;
    DecodeInto(state, enc::EncodePicture(945, picture), {.lineFormat = 0});
    EXPECT_EQ(state.ImageWidth, 948);
    EXPECT_EQ(state.ImageHeight, 704);
    for (int r = 0; r < 5; ++r) EXPECT_TRUE(RowHoldsLine(state, 948, r, picture, r));
}

}  // namespace
}  // namespace orbalux
