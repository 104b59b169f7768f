#include <gtest/gtest.h>

#include "load/load_sequence.h"
#include "processing/stages.h"
#include "../processing/test_picture.h"

namespace orbalux {
namespace {

using fixture::TestPicture;

// A decoded picture as a load leaves it: buffers released, DecodedImage kept.
TestPicture Decoded(int width, int height) {
    TestPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture(y, x) = std::uint8_t(40 + (y * 3 + x) % 100);
    picture(5, 5) = 250;  // a speckle
    picture.KeepAsDecoded();
    ReleaseWorkingBuffers(picture.state);
    return picture;
}

std::uint8_t BitmapGrey(const PictureState& state, int y, int x) {
    return state.BitmapBuffer[54 + 3 * (std::size_t(y) * state.ImageWidth + x)];
}

TEST(Reprocess, StartsFromTheDecodedPictureAndKeepsTheLevels) {
    TestPicture picture = Decoded(16, 12);
    PictureState& state = picture.state;
    state.BrightnessLevel = 2 * kBrightnessStep;
    ReprocessPicture(state, [](PictureState& s) { s.ActiveOptions.Invert = 1; });
    EXPECT_EQ(BitmapGrey(state, 0, 0), 255 - (40 + 40));
    ReprocessPicture(state, [](PictureState& s) { s.ActiveOptions.Invert = 0; });
    EXPECT_EQ(BitmapGrey(state, 0, 0), 40 + 40);  // not inverted twice
    EXPECT_EQ(state.BrightnessLevel, 40);
    EXPECT_EQ(state.DecodedImage[picture.Offset(5, 5)], 250);

    // Contrast Down twice from gain 1 leaves the level at the halving step.
    state.BrightnessLevel = 0;
    for (int click = 0; click < 2; ++click) ReprocessPicture(state, [](PictureState& s) { --s.ContrastLevel; });
    EXPECT_EQ(state.ContrastLevel, -1);
    EXPECT_EQ(BitmapGrey(state, 0, 0), 20);
    ReprocessPicture(state, [](PictureState& s) { ++s.ContrastLevel; });
    EXPECT_EQ(BitmapGrey(state, 0, 0), 40);
}

TEST(Reprocess, OriginalImageRunsOnlyTheBitmapStages) {
    TestPicture picture = Decoded(816, 704);
    PictureState& state = picture.state;
    state.ActiveOptions = {1, 1, 1, 1, 1, 1, 1, 1};
    state.HorizontalStretchOn = 1;
    state.BrightnessLevel = 60;
    state.ContrastLevel = 2;
    ShowOriginalImage(state);
    EXPECT_EQ(state.ActiveOptions, DisplayOptions{});
    EXPECT_EQ(state.BrightnessLevel, 0);
    EXPECT_EQ(state.ContrastLevel, 0);
    EXPECT_EQ(state.HorizontalStretchOn, 1);
    for (int y : {0, 5, 703})
        for (int x : {0, 1, 5, 6, 815}) ASSERT_EQ(BitmapGrey(state, y, x), state.DecodedImage[picture.Offset(y, x)]);

    // The next option starts from the full chain with that option alone
    // (and the horizontal stretch, which is not a button's option).
    ReprocessPicture(state, [](PictureState& s) { s.ActiveOptions.Despeckle = 1; });
    EXPECT_EQ(BitmapGrey(state, 5, 6), state.DecodedImage[picture.Offset(5, 1)]);
    EXPECT_LT(BitmapGrey(state, 5, 5), 250);
    EXPECT_EQ(BitmapGrey(state, 9, 13), state.DecodedImage[picture.Offset(9, 2)]);
}

}  // namespace
}  // namespace orbalux
