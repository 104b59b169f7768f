#include <gtest/gtest.h>

#include <climits>

#include "processing/stages.h"
#include "test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

// What the tone mapping makes of each level, with `set` choosing the levels.
template <typename Set>
std::vector<int> Mapped(std::vector<int> levels, Set set) {
    TestPicture picture(static_cast<int>(levels.size()), 1);
    set(picture.state);
    for (std::size_t i = 0; i < levels.size(); ++i) picture(0, int(i)) = std::uint8_t(levels[i]);
    ApplyToneMapping(picture.state);
    for (std::size_t i = 0; i < levels.size(); ++i) levels[i] = picture(0, int(i));
    return levels;
}

TEST(ToneMapping, StretchMultipliesByGainAndSubtractsTheBlackLevel) {
    EXPECT_EQ(Mapped({50, 100, 177, 178, 0, 255},
                     [](PictureState& s) { s.ActiveOptions.Stretch = 1, s.StretchGain = 1, s.StretchBlack = 5; }),
              (std::vector<int>{0, 100, 254, 255, 0, 255}));
    // A file without a catalogue entry: gain 1, black 0.
    EXPECT_EQ(Mapped({0, 77, 255}, [](PictureState& s) { s.ActiveOptions.Stretch = 1; }),
              (std::vector<int>{0, 77, 255}));
}

TEST(ToneMapping, GainZeroHalvesWithTiesToEven) {
    EXPECT_EQ(Mapped({0, 1, 2, 3, 4, 5, 7, 254, 255}, [](PictureState& s) { s.ContrastLevel = -1; }),
              (std::vector<int>{0, 0, 1, 2, 2, 2, 4, 127, 128}));
}

TEST(ToneMapping, ContrastBelowTheHalvingStepIsTakenBack) {
    TestPicture picture(4, 4, 7);
    picture.state.ActiveOptions.Stretch = 1;
    picture.state.StretchGain = 2;  // gain 3
    picture.state.ContrastLevel = -4;
    ApplyToneMapping(picture.state);
    EXPECT_EQ(picture.state.ContrastLevel, -3);
    EXPECT_EQ(picture(0, 0), 4);  // 3.5 to the even 4
    EXPECT_EQ(picture(3, 3), 4);  // the last pixel too
}

TEST(ToneMapping, BrightnessIsAddedAndEveryLevelClamped) {
    EXPECT_EQ(Mapped({0, 128, 255}, [](PictureState& s) { s.BrightnessLevel = 13 * kBrightnessStep; }),
              (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Mapped({0, 39, 41, 255}, [](PictureState& s) { s.BrightnessLevel = -2 * kBrightnessStep; }),
              (std::vector<int>{0, 0, 1, 215}));
    // Levels stepped far out must not overflow on their way to the clamp.
    EXPECT_EQ(Mapped({0, 1, 255}, [](PictureState& s) { s.ContrastLevel = INT_MAX - 1; }),
              (std::vector<int>{0, 255, 255}));
    EXPECT_EQ(Mapped({0, 255}, [](PictureState& s) { s.BrightnessLevel = INT_MIN; }), (std::vector<int>{0, 0}));
}

TEST(Invert, TakesTheNegativeOfTheMappedLevels) {
    TestPicture picture(8, 2, 200);
    picture(1, 3) = 10;
    picture.state.ActiveOptions = {.Stretch = 1, .Invert = 1};
    picture.state.StretchGain = 1;  // 200 * 2 clamps to 255
    RunProcessingChain(picture.state);
    EXPECT_EQ(picture(0, 0), 0);
    EXPECT_EQ(picture(1, 3), 255 - 20);
}

}  // namespace
}  // namespace orbalux
