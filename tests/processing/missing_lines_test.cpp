#include <gtest/gtest.h>

#include "processing/stages.h"
#include "test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

// Rows with content, and the blank rows given.
TestPicture WithBlankRows(int width, int height, std::initializer_list<int> blank, const char* name = "69_301.009") {
    TestPicture picture(width, height);
    picture.state.CatalogueName = name;
    picture.state.ActiveOptions.FillMissingLine = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture(y, x) = std::uint8_t(10 + y * 10 + x % 100);
    for (int y : blank)
        for (int x = 0; x < width; ++x) picture(y, x) = 0;
    return picture;
}

TEST(MissingLines, OneBlankRowTakesTheMeanOfItsNeighbours) {
    TestPicture picture = WithBlankRows(12, 8, {3});
    FillSingleMissingLines(picture.state);
    for (int x = 1; x <= 10; ++x) EXPECT_EQ(picture(3, x), ((10 + 10 * 2 + x) + (10 + 10 * 4 + x)) / 2);
    EXPECT_EQ(picture(3, 0), 0);
    EXPECT_EQ(picture(3, 11), 0);

    TestPicture odd = WithBlankRows(4, 3, {1});
    odd(0, 1) = 3;
    odd(2, 1) = 6;
    FillSingleMissingLines(odd.state);
    EXPECT_EQ(odd(1, 1), 4);  // 4.5 rounded down
}

TEST(MissingLines, TwoBlankRowsAndTheOuterRowsStayBlank) {
    TestPicture picture = WithBlankRows(12, 8, {0, 3, 4, 7});
    const auto before = picture.state.FileBuffer;
    FillSingleMissingLines(picture.state);
    EXPECT_EQ(picture.state.FileBuffer, before);
}

TEST(MissingLines, ProbeWidthFollowsTheFileName) {
    TestPicture picture(816, 8);
    const std::pair<const char*, int> cases[] = {
        {"69_131.001", 31}, {"69_141.002", 31},  {"69_011.001", 134}, {"69_021.001", 134},
        {"69_031.001", 134}, {"ED_001.001", 134}, {"jac_224.004", 134}, {"Ed", 134},
        {"69_151.001", 814}, {"69_301.009", 814}, {"rbl_1.001", 814},  {"69_13", 814},
    };
    for (const auto& [name, width] : cases) {
        picture.state.CatalogueName = name;
        EXPECT_EQ(MissingLineProbeWidth(picture.state), width) << name;
    }
}

TEST(MissingLines, OnlyTheProbedColumnsDecide) {
    // Blank in columns 1..31 only: a missing line for a 33-column name.
    TestPicture narrow = WithBlankRows(816, 6, {}, "69_131.001");
    for (int x = 1; x <= 31; ++x) narrow(2, x) = 0;
    FillSingleMissingLines(narrow.state);
    EXPECT_EQ(narrow(2, 500), (20 + 40) / 2);

    // A filler row of the 136-column format: zero in the data, grey beyond.
    for (const char* name : {"jac_224.004", "69_151.001"}) {
        TestPicture picture = WithBlankRows(816, 6, {}, name);
        for (int x = 0; x < 816; ++x) picture(2, x) = x < 136 ? 0 : 160;
        for (int y : {1, 3})
            for (int x = 136; x < 816; ++x) picture(y, x) = 160;
        FillSingleMissingLines(picture.state);
        const bool filled = name[0] == 'j';
        EXPECT_EQ(picture(2, 5), filled ? (25 + 45) / 2 : 0) << name;
        EXPECT_EQ(picture(2, 700), 160) << name;
    }
}

}  // namespace
}  // namespace orbalux
