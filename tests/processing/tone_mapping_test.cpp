#include <gtest/gtest.h>

#include <algorithm>
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

// new = clamp(v * g - b + brightness), g = 0 halving with ties to even, and
// the negative of that when Invert is on and nothing stands between.
int Rule(int v, long long gain, long long offset, bool invert) {
    const long long scaled = gain == 0 ? (v >> 1) + ((v & 1) & ((v >> 1) & 1)) : v * gain;
    const int mapped = static_cast<int>(std::clamp(scaled + offset, 0LL, 255LL));
    return invert ? 255 - mapped : mapped;
}

TEST(ToneMapping, EveryLevelFollowsTheRuleAtEveryGainAndOffset) {
    // Gains from the halving step to far beyond 255, offsets from far below
    // to far above the levels; every level in a row long enough for the
    // sixteen-at-a-time pass and its remainder.
    for (const int contrast : {-1, 0, 1, 2, 7, 126, 127, 300, 100000}) {
        for (const int brightness : {-100000, -32768, -300, -41, 0, 19, 254, 255, 256, 40000}) {
            for (const int invert : {0, 1}) {
                TestPicture picture(259, 2);
                for (int i = 0; i < 2 * 259; ++i) picture(i / 259, i % 259) = std::uint8_t(i % 256);
                picture.state.ActiveOptions = {.Stretch = 1, .Invert = invert};
                picture.state.StretchGain = 0;
                picture.state.StretchBlack = 1;  // black level 20
                picture.state.ContrastLevel = contrast;
                picture.state.BrightnessLevel = brightness;
                ApplyToneMappingAndInvert(picture.state);
                for (int i = 0; i < 2 * 259; ++i)
                    ASSERT_EQ(picture(i / 259, i % 259), Rule(i % 256, 1 + contrast, brightness - 20LL, invert))
                        << "contrast " << contrast << " brightness " << brightness << " invert " << invert << " level "
                        << i % 256;
            }
        }
    }
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
