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

TEST(ToneMapping, PercentileStretchGivesEveryLevelExactlyAtEveryStep) {
    // Two data rows holding every level once each, a third row and seven
    // columns that are not data; percentiles chosen so that the nearest rank
    // lands on the wanted lo and hi (even spans give exact halves). Every
    // level then goes through the stretch (rounded halves up) and the steps,
    // against the rule.
    constexpr int kWidth = 263;  // 3 x 263 pixels: a 32- and a 16-level pass and a remainder
    for (const auto& [lo, hi] : {std::pair{0, 255}, {0, 1}, {1, 2}, {7, 200}, {100, 101}, {3, 254}, {254, 255},
                                {60, 197}, {17, 48}, {10, 12}, {50, 54}, {20, 120}}) {
        for (const int contrast : {-1, 0, 1, 126, 300}) {
            for (const int brightness : {-300, -20, 0, 41}) {
                for (const int invert : {0, 1}) {
                    TestPicture picture(kWidth, 3);
                    for (int y = 0; y < 3; ++y)
                        for (int x = 0; x < kWidth; ++x) picture(y, x) = std::uint8_t(x < 256 ? x : 7 * x + y);
                    PictureState& s = picture.state;
                    s.DecodedRows.rows = {RowKind::Line, RowKind::Line, RowKind::LostLine};
                    s.DecodedRows.dataColumns = 256;
                    s.ActiveOptions = {.Invert = invert, .PercentStretch = 1};
                    auto percentile = [](int level) { return (2.0 * (level + 1) - 0.5) * 100.0 / 512.0; };
                    s.LowPercentile = percentile(lo);
                    s.HighPercentile = percentile(hi);
                    s.ContrastLevel = contrast;
                    s.BrightnessLevel = brightness;
                    ApplyToneMappingAndInvert(s);
                    ASSERT_EQ(s.StretchLowLevel, lo);
                    ASSERT_EQ(s.StretchHighLevel, hi);
                    for (int i = 0; i < 3 * kWidth; ++i) {
                        const int v = i % kWidth < 256 ? i % kWidth : (7 * (i % kWidth) + i / kWidth) % 256;
                        const int stretched =
                            v <= lo ? 0 : v >= hi ? 255 : (2 * 255 * (v - lo) + (hi - lo)) / (2 * (hi - lo));
                        ASSERT_EQ(picture(i / kWidth, i % kWidth), Rule(stretched, 1 + contrast, brightness, invert))
                            << "lo " << lo << " hi " << hi << " contrast " << contrast << " brightness "
                            << brightness << " invert " << invert << " level " << v;
                    }
                }
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
