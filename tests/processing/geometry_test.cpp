#include <gtest/gtest.h>

#include "processing/stages.h"
#include "test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

// A picture in which every pixel tells where it came from.
void Number(TestPicture& picture) {
    for (int y = 0; y < picture.state.ImageHeight; ++y)
        for (int x = 0; x < picture.state.ImageWidth; ++x) picture(y, x) = std::uint8_t(y * 31 + x * 7);
}

TEST(FlipAndRotate, MovePixelsWhereTheyBelong) {
    for (int height : {6, 7}) {
        TestPicture picture(5, height);
        Number(picture);
        const auto original = picture.state.FileBuffer;
        picture.state.ActiveOptions.FlipVertical = 1;
        ApplyFlipVertical(picture.state);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 5; ++x) ASSERT_EQ(picture(y, x), std::uint8_t((height - 1 - y) * 31 + x * 7));
        ApplyFlipVertical(picture.state);  // a second click gives the picture back
        EXPECT_EQ(picture.state.FileBuffer, original);

        picture.state.ActiveOptions.Rotate = 1;
        ApplyRotate(picture.state);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(picture(y, x), std::uint8_t((height - 1 - y) * 31 + (4 - x) * 7));
    }
}

TEST(FlipAndRotate, TogetherMirrorLeftToRight) {
    TestPicture picture(6, 4);
    Number(picture);
    picture.state.ActiveOptions = {.FlipVertical = 1, .Rotate = 1};
    RunProcessingChain(picture.state);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(picture(y, x), std::uint8_t(y * 31 + (5 - x) * 7));
}

TEST(HorizontalStretch, WidensTheFirst136ColumnsSixTimes) {
    TestPicture picture(816, 704);
    Number(picture);
    picture.KeepAsDecoded();
    picture.state.HorizontalStretchOn = 1;
    ApplyHorizontalStretch(picture.state);
    for (int y : {0, 1, 703}) {
        EXPECT_EQ(picture(y, 1), std::uint8_t(y * 31 + 0 * 7));
        EXPECT_EQ(picture(y, 6), std::uint8_t(y * 31 + 1 * 7));
        EXPECT_EQ(picture(y, 815), std::uint8_t(y * 31 + 135 * 7));
    }

    TestPicture wide(948, 704);
    Number(wide);
    wide.KeepAsDecoded();
    wide.state.HorizontalStretchOn = 1;
    ApplyHorizontalStretch(wide.state);
    EXPECT_EQ(wide.state.FileBuffer, wide.state.DecodedImage);
}

// Blocks of f x f whose pixels are all `base` except the last, which is 3
// higher: the mean rounded down is `base`.
std::uint8_t BlockBase(int j, int i) { return std::uint8_t((j * 7 + i * 3) % 200); }

TestPicture Blocks(int width, int height, int factor) {
    TestPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool last = y % factor == factor - 1 && x % factor == factor - 1;
            picture(y, x) = std::uint8_t(BlockBase(y / factor, x / factor) + (last ? 3 : 0));
        }
    return picture;
}

struct MinimizeCase {
    int width, height, factor, firstRow, firstColumn;
};

TEST(Minimize, PlacesBlockMeansOnAGreyField) {
    for (const MinimizeCase c : {MinimizeCase{948, 704, 2, 283, 163}, MinimizeCase{948, 704, 4, 371, 282},
                                 MinimizeCase{1000, 1000, 2, 431, 150}}) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " / " << c.factor);
        TestPicture picture = Blocks(c.width, c.height, c.factor);
        picture.state.ActiveOptions.MinimizeHalf = 1;
        picture.state.ActiveOptions.MinimizeQuarter = c.factor == 4 ? 1 : 0;  // the quarter wins
        ApplyMinimize(picture.state);
        const int rows = c.height / c.factor, columns = c.width / c.factor;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int j = y - c.firstRow, i = x - c.firstColumn;
                const bool inside = j >= 0 && j < rows && i >= 0 && i < columns;
                ASSERT_EQ(picture(y, x), inside ? BlockBase(j, i) : kMinimizeBackground) << y << "," << x;
            }
        EXPECT_EQ(picture.state.FileBuffer.back(), kMinimizeBackground);
        EXPECT_EQ(picture.state.FileBuffer[kPictureOrigin - 1], 0);
    }
}

TEST(Minimize, TheGreyFieldIsNotInverted) {
    TestPicture picture(948, 704, 40);
    picture.state.ActiveOptions = {.Invert = 1, .MinimizeHalf = 1};
    RunProcessingChain(picture.state);
    EXPECT_EQ(picture(0, 0), kMinimizeBackground);
    EXPECT_EQ(picture(283, 163), 255 - 40);
}

TEST(Minimize, PicturesTooSmallForThePlacementStayInside) {
    TestPicture picture(40, 24, 90);
    picture.state.ActiveOptions.MinimizeQuarter = 1;
    ApplyMinimize(picture.state);  // the reduced picture would start at column 395
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(picture(y, x), kMinimizeBackground);
}

}  // namespace
}  // namespace orbalux
