#include <gtest/gtest.h>

#include <random>

#include "processing/stages.h"
#include "test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

TestPicture Field(int width, int height, std::uint8_t level) {
    TestPicture picture(width, height, level);
    picture.state.ActiveOptions.Despeckle = 1;
    return picture;
}

TEST(Despeckle, FirstPassCountsNeighboursBeyondTen) {
    TestPicture picture = Field(30, 20, 100);
    picture(5, 20) = 200;
    picture(12, 22) = 20;
    picture(15, 15) = 110;  // exactly 10 above: no neighbour counts
    // A bright pixel with six darker neighbours (two as bright as it) takes
    // the mean of the six: (90 + 91 + 92 + 93 + 94 + 100) / 6 = 93.33.
    picture(5, 5) = 200;
    picture(4, 4) = 90, picture(4, 5) = 91, picture(4, 6) = 92, picture(5, 4) = 93;
    picture(6, 4) = 94, picture(5, 6) = 200, picture(6, 5) = 200;
    // A dark pixel with six brighter neighbours stays.
    picture(12, 12) = 20;
    picture(12, 13) = 20, picture(13, 13) = 20;
    DespeckleFirstPass(picture.state);
    EXPECT_EQ(picture(5, 20), 100);
    EXPECT_EQ(picture(12, 22), 100);
    EXPECT_EQ(picture(15, 15), 110);
    EXPECT_EQ(picture(5, 5), 93);
    EXPECT_EQ(picture(12, 12), 20);
}

TEST(Despeckle, LeftAndUpperNeighboursCarryTheirNewValues) {
    // Three dark pixels in a row: each, once its left neighbour is cleared,
    // has seven brighter neighbours.
    TestPicture picture = Field(12, 6, 100);
    picture(2, 4) = picture(2, 5) = picture(2, 6) = 20;
    DespeckleFirstPass(picture.state);
    EXPECT_EQ(picture(2, 4), 100);
    EXPECT_EQ(picture(2, 5), 100);
    EXPECT_EQ(picture(2, 6), 100);
}

TEST(Despeckle, SecondPassNeedsAllEightAfterToneMapping) {
    TestPicture picture = Field(20, 20, 100);
    picture(15, 15) = 110;
    picture(3, 3) = 110;
    picture(3, 4) = 100 + 5;  // one neighbour within 5: not all eight count
    RunProcessingChain(picture.state);
    EXPECT_EQ(picture(15, 15), 100);
    EXPECT_EQ(picture(3, 3), 110);
}

TEST(Despeckle, SecondPassSeesTheLeftNeighboursNewLevel) {
    // 120 has all eight neighbours (110 among them) more than 5 below it and
    // takes their mean, 101; only then has 110 all eight more than 5 below
    // it, and takes theirs, 100. The first pair lies within a block of
    // pixels taken together, the others across the borders of sixteen and of
    // sixty-four.
    TestPicture picture = Field(140, 6, 100);
    picture(2, 5) = 120, picture(2, 6) = 110;
    picture(4, 16) = 120, picture(4, 17) = 110;
    picture(3, 64) = 120, picture(3, 65) = 110;
    DespeckleSecondPass(picture.state);
    for (auto [y, x] : {std::pair{2, 5}, std::pair{4, 16}, std::pair{3, 64}}) {
        EXPECT_EQ(picture(y, x), 101) << x;
        EXPECT_EQ(picture(y, x + 1), 100) << x;
    }
}

TEST(Despeckle, CoversTheWholeInteriorOfEveryPictureSize) {
    for (auto [width, height] : {std::pair{1024, 1504}, std::pair{600, 800}, std::pair{948, 704}}) {
        TestPicture picture = Field(width, height, 100);
        const int lastRow = height - 1, lastColumn = width - 1;
        picture(lastRow - 1, lastColumn - 1) = 200;  // last interior pixel
        picture(lastRow - 3, 1) = 20;
        picture(1, 1) = 200;  // first interior pixel
        for (int x : {0, 7, lastColumn}) picture(0, x) = picture(lastRow, x) = 200;
        for (int y : {5, lastRow - 5}) picture(y, 0) = picture(y, lastColumn) = 20;
        RunProcessingChain(picture.state);
        EXPECT_EQ(picture(lastRow - 1, lastColumn - 1), 100) << width;
        EXPECT_EQ(picture(lastRow - 3, 1), 100) << width;
        EXPECT_EQ(picture(1, 1), 100) << width;
        for (int x : {0, 7, lastColumn}) EXPECT_EQ(picture(0, x) + picture(lastRow, x), 400) << width;
        for (int y : {5, lastRow - 5}) EXPECT_EQ(picture(y, 0) + picture(y, lastColumn), 40) << width;
        EXPECT_EQ(picture.state.FileBuffer[picture.Offset(lastRow, lastColumn) + 1], 0);
    }
}

// The rule, applied pixel by pixel with no shortcut.
void PlainPass(TestPicture& picture, int brightDelta, int brightCount, int darkDelta, int darkCount) {
    for (int y = 1; y < picture.state.ImageHeight - 1; ++y)
        for (int x = 1; x < picture.state.ImageWidth - 1; ++x) {
            int v = picture(y, x);
            int hits = 0, sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if ((dy || dx) && v - picture(y + dy, x + dx) > brightDelta) ++hits, sum += picture(y + dy, x + dx);
            if (hits >= brightCount) v = sum / hits;
            hits = sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if ((dy || dx) && picture(y + dy, x + dx) - v > darkDelta) ++hits, sum += picture(y + dy, x + dx);
            if (hits >= darkCount) v = sum / hits;
            picture(y, x) = std::uint8_t(v);
        }
}

TEST(Despeckle, AgreesWithThePlainRuleOnNoisyPictures) {
    std::mt19937 random(7);
    // Widths for each way through a row: pixel by pixel, sixteen and (where
    // the processor has it) sixty-four at a time.
    for (auto [width, height] : {std::pair{3, 3}, std::pair{4, 9}, std::pair{40, 12}, std::pair{66, 9},
                                 std::pair{67, 40}, std::pair{200, 60}}) {
        TestPicture fast = Field(width, height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int noise = int(random() % 25) - 12;
                const bool speckle = random() % 9 == 0;
                fast(y, x) = std::uint8_t(speckle ? random() % 256 : 120 + x % 13 + noise);
            }
        TestPicture plain = fast;
        DespeckleFirstPass(fast.state);
        PlainPass(plain, 10, 6, 10, 7);
        ASSERT_EQ(fast.state.FileBuffer, plain.state.FileBuffer) << width << "x" << height;
        DespeckleSecondPass(fast.state);
        PlainPass(plain, 5, 8, 5, 8);
        ASSERT_EQ(fast.state.FileBuffer, plain.state.FileBuffer) << width << "x" << height;
    }
}

}  // namespace
}  // namespace orbalux
