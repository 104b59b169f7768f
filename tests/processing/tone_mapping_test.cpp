#include <gtest/gtest.h>

#include <climits>

#include "processing/stages.h"
#include "test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

// Maps each level of `levels` alone and returns what the stage made of it.
std::vector<int> Mapped(PictureState setup, std::vector<int> levels) {
    TestPicture picture(static_cast<int>(levels.size()), 1);
    picture.state.ActiveOptions = setup.ActiveOptions;
    picture.state.StretchGain = setup.StretchGain;
    picture.state.StretchBlack = setup.StretchBlack;
    picture.state.ContrastLevel = setup.ContrastLevel;
    picture.state.BrightnessLevel = setup.BrightnessLevel;
    for (std::size_t i = 0; i < levels.size(); ++i) picture(0, int(i)) = std::uint8_t(levels[i]);
    ApplyToneMapping(picture.state);
    std::vector<int> out;
    for (std::size_t i = 0; i < levels.size(); ++i) out.push_back(picture(0, int(i)));
    return out;
}

TEST(ToneMapping, StretchMultipliesByGainAndSubtractsTheBlackLevel) {
    PictureState setup;
    setup.ActiveOptions.Stretch = 1;
    setup.StretchGain = 1;   // gain 2
    setup.StretchBlack = 5;  // black level 100
    EXPECT_EQ(Mapped(setup, {50, 100, 177, 178, 0, 255}), (std::vector<int>{0, 100, 254, 255, 0, 255}));

    setup.StretchGain = 0;  // a file without an entry: unchanged
    setup.StretchBlack = 0;
    EXPECT_EQ(Mapped(setup, {0, 1, 77, 254, 255}), (std::vector<int>{0, 1, 77, 254, 255}));
}

TEST(ToneMapping, GainZeroHalvesWithTiesToEven) {
    PictureState setup;
    setup.ContrastLevel = -1;
    EXPECT_EQ(Mapped(setup, {0, 1, 2, 3, 4, 5, 7, 254, 255}), (std::vector<int>{0, 0, 1, 2, 2, 2, 4, 127, 128}));
}

TEST(ToneMapping, ContrastBelowTheHalvingStepIsTakenBack) {
    TestPicture picture(4, 4, 7);
    picture.state.ActiveOptions.Stretch = 1;
    picture.state.StretchGain = 2;  // gain 3
    picture.state.ContrastLevel = -4;
    ApplyToneMapping(picture.state);
    EXPECT_EQ(picture.state.ContrastLevel, -3);
    EXPECT_EQ(picture(0, 0), 4);  // halved: 3.5 -> 4

    picture.state.ContrastLevel = -3;  // at the lowest step the level stays
    ApplyToneMapping(picture.state);
    EXPECT_EQ(picture.state.ContrastLevel, -3);
}

TEST(ToneMapping, BrightnessIsAddedAndClamped) {
    PictureState setup;
    setup.BrightnessLevel = 13 * kBrightnessStep;
    EXPECT_EQ(Mapped(setup, {0, 1, 128, 255}), (std::vector<int>{255, 255, 255, 255}));
    setup.BrightnessLevel = -2 * kBrightnessStep;
    EXPECT_EQ(Mapped(setup, {0, 39, 40, 41, 255}), (std::vector<int>{0, 0, 0, 1, 215}));
}

TEST(ToneMapping, LevelsSteppedFarOutStillClamp) {
    PictureState setup;
    setup.ContrastLevel = INT_MAX - 1;
    EXPECT_EQ(Mapped(setup, {0, 1, 255}), (std::vector<int>{0, 255, 255}));
    setup.ContrastLevel = 0;
    setup.BrightnessLevel = INT_MIN;
    EXPECT_EQ(Mapped(setup, {0, 255}), (std::vector<int>{0, 0}));
}

TEST(ToneMapping, EveryPixelIsMappedCornersIncluded) {
    TestPicture picture(948, 704, 10);
    picture.state.BrightnessLevel = kBrightnessStep;
    ApplyToneMapping(picture.state);
    EXPECT_EQ(picture(0, 0), 30);
    EXPECT_EQ(picture(703, 947), 30);
    EXPECT_EQ(picture.state.FileBuffer[picture.Offset(703, 947) + 1], 0);  // past the picture
}

TEST(Invert, TakesTheNegativeOfTheMappedLevels) {
    TestPicture picture(8, 2, 200);
    picture(1, 3) = 10;
    picture.state.ActiveOptions = {.Stretch = 1, .Invert = 1};
    picture.state.StretchGain = 1;  // 200 * 2 clamps to 255
    RunProcessingChain(picture.state);
    EXPECT_EQ(picture(0, 0), 0);
    EXPECT_EQ(picture(1, 3), 255 - 20);
    EXPECT_EQ(picture(1, 7), 0);
}

}  // namespace
}  // namespace orbalux
