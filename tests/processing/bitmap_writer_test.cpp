#include <algorithm>
#include <gtest/gtest.h>

#include "processing/stages.h"
#include "test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

std::uint32_t LittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

TEST(Bitmap, HeaderOfA948By704Picture) {
    TestPicture picture(948, 704);
    WriteBitmapHeader(picture.state);
    const std::vector<std::uint8_t> expected = {
        0x42, 0x4D, 0x36, 0x8D, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0xB4,
        0x03, 0x00, 0x00, 0xC0, 0x02, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x8D, 0x1E, 0x00};
    const auto& bmp = picture.state.BitmapBuffer;
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 38), expected);
    EXPECT_EQ(std::count(bmp.begin() + 38, bmp.begin() + 54, 0), 16);
}

TEST(Bitmap, SizesOfTheLargestAndANarrowPicture) {
    for (auto [width, height, fileSize] : {std::tuple{1024, 1504, 4'620'342u}, std::tuple{600, 800, 1'440'054u}}) {
        TestPicture picture(width, height, 9);
        WriteBitmapHeader(picture.state);
        WriteBitmapPixels(picture.state);
        const auto& bmp = picture.state.BitmapBuffer;
        EXPECT_EQ(LittleEndian32(bmp, 2), fileSize);
        EXPECT_EQ(LittleEndian32(bmp, 18), std::uint32_t(width));
        EXPECT_EQ(LittleEndian32(bmp, 22), std::uint32_t(height));
        EXPECT_EQ(LittleEndian32(bmp, 34), fileSize - 54);
        EXPECT_EQ(bmp[fileSize - 1], 9);  // the last pixel, no fill bytes before it
        EXPECT_EQ(std::count(bmp.begin() + fileSize, bmp.end(), 0), std::ptrdiff_t(bmp.size() - fileSize));
    }
}

TEST(Bitmap, FirstPictureRowIsTheFirstBitmapRow) {
    TestPicture picture(8, 4);
    picture(0, 0) = 200;
    picture(0, 1) = 7;
    picture(3, 7) = 99;
    WriteBitmapPixels(picture.state);
    const auto& bmp = picture.state.BitmapBuffer;
    EXPECT_EQ((std::vector<int>{bmp[54], bmp[55], bmp[56], bmp[57]}), (std::vector<int>{200, 200, 200, 7}));
    EXPECT_EQ(bmp[54 + 3 * 8 * 4 - 1], 99);
}

TEST(Bitmap, GeometryThatDoesNotFitWritesNoPixels) {
    for (auto [width, height] : {std::pair{0, 704}, std::pair{-4, 10}, std::pair{1500, 1500}, std::pair{2100, 1000}}) {
        TestPicture picture(8, 8, 50);
        SetPictureGeometry(picture.state, width, height);
        RunProcessingChain(picture.state);
        const auto& bmp = picture.state.BitmapBuffer;
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(std::count(bmp.begin() + 54, bmp.end(), 0), std::ptrdiff_t(bmp.size() - 54)) << width;
    }
    PictureState released;  // no buffers at all
    SetPictureGeometry(released, 948, 704);
    released.ActiveOptions = {1, 1, 1, 1, 1, 1, 1, 1};
    released.HorizontalStretchOn = 1;
    RunProcessingChain(released);
    EXPECT_TRUE(released.BitmapBuffer.empty());
}

}  // namespace
}  // namespace orbalux
