// The picture's own stretches over whole loads of encoder-built files: the
// levels at the percentiles and the equalised levels, worked out here from
// the levels the encoder was given, over the lines the file really holds (a
// file with lost lines, one cut short), so that filler rows, rows past the
// end, the zero columns and the frame's tail rows never count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "load/chain_settings.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux {
namespace {

namespace enc = encoder;

constexpr int kSamples = 945, kLines = 702, kWidth = 948;  // the 945-sample frame
constexpr int kRecordBytes = 2 + 4 * 315;
constexpr int kDataOffset = 964;  // behind two header records

// Levels 30 to 219 in a slant, with bright specks: nothing of the picture is
// black, so any filler or zero that were counted would move the low level.
GreyImage KnownLevels() {
    GreyImage picture(kSamples, kLines, 0);
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kSamples; ++x)
            picture.pixels[static_cast<std::size_t>(y) * kSamples + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>((x * 31 + y * 17) % 97 == 0 ? 250 : 30 + (x * 13 + y * 7) % 190);
    return picture;
}

struct TestFile {
    std::string path;
    GreyImage picture;
    std::function<bool(int row)> received;  // the picture rows whose lines the file holds
};

class PictureStretchTest : public ::testing::Test {
protected:
    test::ScratchFolder dir;

    // Single lines lost before rows 100 and 300; their records are not in
    // the file, and each leaves a filler row where it was.
    TestFile WithLostLines() {
        TestFile file{dir / "XX_100.001", KnownLevels(), [](int r) { return r != 99 && r != 299; }};
        const std::vector<enc::LineDefect> lost = {
            {.line = 100, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent},
            {.line = 300, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
        enc::WriteFile(file.path, enc::EncodePicture(945, file.picture, {.records = 2}, lost));
        return file;
    }

    // Cut inside the record of row 400: rows 400 on are read past the end.
    TestFile CutShort() {
        TestFile file{dir / "XX_200.001", KnownLevels(), [](int r) { return r < 400; }};
        std::vector<std::uint8_t> bytes = enc::EncodePicture(945, file.picture, {.records = 2});
        bytes.resize(kDataOffset + 400 * kRecordBytes + 600);
        enc::WriteFile(file.path, bytes);
        return file;
    }
};

// The levels of the received lines, lowest first.
std::vector<int> ReceivedLevels(const TestFile& file) {
    std::vector<int> levels;
    for (int y = 0; y < kLines; ++y)
        if (file.received(y))
            for (int x = 0; x < kSamples; ++x) levels.push_back(file.picture.At(x, y));
    std::sort(levels.begin(), levels.end());
    return levels;
}

// Nearest rank: the ceil(p / 100 * N)-th level, at least the first.
int AtPercentile(const std::vector<int>& sorted, double p) {
    const auto rank = std::max<long long>(1, static_cast<long long>(std::ceil(p / 100.0 * double(sorted.size()))));
    return sorted[static_cast<std::size_t>(rank - 1)];
}

// Every received pixel of the loaded picture is `expected` of its level.
void ExpectReceivedPixels(const PictureState& state, const TestFile& file, const std::function<int(int)>& expected) {
    ASSERT_EQ(state.ImageWidth, kWidth);
    int wrong = 0;
    for (int y = 0; y < kLines && wrong < 5; ++y) {
        if (!file.received(y)) continue;
        for (int x = 0; x < kSamples && wrong < 5; ++x) {
            const int v = file.picture.At(x, y);
            const int got = state.FileBuffer[kPictureOrigin + static_cast<std::size_t>(y) * kWidth + x];
            if (got != expected(v)) {
                ADD_FAILURE() << "row " << y << " column " << x << ": level " << v << " became " << got
                              << ", expected " << expected(v);
                ++wrong;
            }
        }
    }
}

TEST_F(PictureStretchTest, PercentileLevelsComeFromTheReceivedLinesOnly) {
    struct Case {
        TestFile file;
        double low, high;
    };
    for (const Case& c : {Case{WithLostLines(), kDefaultLowPercentile, kDefaultHighPercentile},
                          Case{CutShort(), 2.0, 98.0}}) {
        SCOPED_TRACE(c.file.path);
        const std::vector<int> levels = ReceivedLevels(c.file);
        const int lo = AtPercentile(levels, c.low), hi = AtPercentile(levels, c.high);
        ASSERT_LT(lo, hi);
        auto stretched = [lo, hi](int v) {
            return v <= lo ? 0 : v >= hi ? 255 : static_cast<int>(std::floor((v - lo) * 255.0 / (hi - lo) + 0.5));
        };

        ChainSettings settings;
        settings.menu.PercentStretch = 1;
        settings.lowPercentile = c.low;
        settings.highPercentile = c.high;
        PictureState state;
        RenderPicture(state, c.file.path, settings);
        EXPECT_EQ(state.StretchLowLevel, lo);
        EXPECT_EQ(state.StretchHighLevel, hi);
        EXPECT_EQ(state.StretchDataPixels, static_cast<long long>(levels.size()));
        ExpectReceivedPixels(state, c.file, stretched);
    }
}

TEST_F(PictureStretchTest, EqualisationFollowsTheCumulativeCountOfReceivedPixels) {
    for (const TestFile& file : {WithLostLines(), CutShort()}) {
        SCOPED_TRACE(file.path);
        const std::vector<int> levels = ReceivedLevels(file);
        const auto n = static_cast<double>(levels.size());
        auto equalised = [&](int v) {
            const auto atOrBelow = std::upper_bound(levels.begin(), levels.end(), v) - levels.begin();
            return static_cast<int>(std::floor(255.0 * double(atOrBelow) / n + 0.5));
        };
        ChainSettings settings;
        settings.menu.Equalize = 1;
        settings.menu.Invert = 1;  // the negative of the equalised levels
        PictureState state;
        RenderPicture(state, file.path, settings);
        ExpectReceivedPixels(state, file, [&](int v) { return 255 - equalised(v); });
    }
}

TEST_F(PictureStretchTest, APictureWithoutReceivedLinesKeepsItsLevels) {
    // Every line read past the end: no level is measured, nothing stretched.
    const std::string path = dir / "XX_300.001";
    std::vector<std::uint8_t> bytes = enc::EncodePicture(945, KnownLevels(), {.records = 2});
    bytes.resize(kDataOffset + 600);
    enc::WriteFile(path, bytes);
    for (const auto flag : {&DisplayOptions::PercentStretch, &DisplayOptions::Equalize}) {
        ChainSettings settings;
        settings.menu.*flag = 1;
        PictureState stretched, plain;
        RenderPicture(stretched, path, settings);
        RenderPicture(plain, path, {});
        EXPECT_EQ(stretched.StretchDataPixels, 0);
        EXPECT_TRUE(std::equal(plain.BitmapBuffer.begin(), plain.BitmapBuffer.end(), stretched.BitmapBuffer.begin()));
    }
}

}  // namespace
}  // namespace orbalux
