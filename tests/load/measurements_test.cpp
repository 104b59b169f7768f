// Region statistics, profiles and distances over whole loads of encoder-built
// files with lost lines and a cut end: the expected figures are worked out
// here from the levels the encoder was given, over the lines the file holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "load/chain_settings.h"
#include "processing/measurements.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/scratch/scratch_folder.h"

namespace orbalux {
namespace {

namespace enc = encoder;

constexpr int kSamples = 945, kLines = 702, kWidth = 948, kHeight = 704;  // the 945-sample frame
constexpr int kRecordBytes = 2 + 4 * 315;
constexpr int kDataOffset = 964;

// Levels constant over 2 x 2 blocks, so that the 1/2 reduction's means keep
// them: nothing is black, so a filler row counted would show.
GreyImage BlockLevels(int width, int height) {
    GreyImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.At(x, y) = static_cast<std::uint8_t>(20 + ((x / 2) * 37 + (y / 2) * 11) % 200);
    return picture;
}

struct TestFile {
    std::string path;
    GreyImage picture;
    std::function<bool(int row)> received;
};

// The figures of the received pixels of frame rows [row0, row1) and columns
// [col0, col1), each counted `times`.
struct Expected {
    long long count = 0;
    LevelStatistics s;
};
Expected ExpectedOver(const TestFile& f, int col0, int col1, int row0, int row1, int times = 1) {
    std::vector<int> levels;
    for (int y = row0; y < row1; ++y)
        if (f.received(y))
            for (int x = col0; x < col1; ++x)
                for (int k = 0; k < times; ++k) levels.push_back(f.picture.At(x, y));
    std::sort(levels.begin(), levels.end());
    Expected e;
    e.count = static_cast<long long>(levels.size());
    if (levels.empty()) return e;
    double sum = 0;
    for (int v : levels) sum += v;
    e.s.mean = sum / double(levels.size());
    double squares = 0;
    for (int v : levels) squares += (v - e.s.mean) * (v - e.s.mean);
    e.s.stdDev = std::sqrt(squares / double(levels.size()));
    e.s.min = levels.front();
    e.s.max = levels.back();
    e.s.median = levels[(levels.size() + 1) / 2 - 1];
    return e;
}

void ExpectFigures(const std::optional<LevelStatistics>& got, const Expected& e) {
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->min, e.s.min);
    EXPECT_EQ(got->max, e.s.max);
    EXPECT_NEAR(got->mean, e.s.mean, 1e-9);
    EXPECT_NEAR(got->stdDev, e.s.stdDev, 1e-6);
    EXPECT_EQ(got->median, e.s.median);
}

class MeasurementsTest : public ::testing::Test {
protected:
    test::ScratchFolder dir;

    // A line lost before row 99; the file cut inside the record of row 400.
    TestFile LostAndCut() {
        TestFile file{dir / "XX_100.001", BlockLevels(kSamples, kLines), [](int r) { return r != 99 && r < 400; }};
        const std::vector<enc::LineDefect> lost = {
            {.line = 100, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
        std::vector<std::uint8_t> bytes = enc::EncodePicture(945, file.picture, {.records = 2}, lost);
        bytes.resize(kDataOffset + 399 * kRecordBytes + 600);  // one record fewer in front: row 99's
        enc::WriteFile(file.path, bytes);
        return file;
    }

    static PictureState Render(const TestFile& file, const ChainSettings& settings) {
        PictureState state;
        RenderPicture(state, file.path, settings);
        return state;
    }
};

RegionStatistics Measure(const PictureState& state, const Region& region) {
    return MeasureRegion(MeasuredPictureOf(state, true), region);
}

// Shown row of a frame row in the plain picture: the bitmap is bottom-up.
int PlainRow(int frameRow) { return kHeight - 1 - frameRow; }

TEST_F(MeasurementsTest, RegionLeavesOutLostRowsRowsPastTheEndAndRowEndPadding) {
    const TestFile file = LostAndCut();
    const PictureState state = Render(file, {});
    // Columns 900..947 (three of them row-end padding), frame rows 95..104
    // (row 99 lost), then rows 395..404 (400 on past the end).
    const RegionStatistics lost = Measure(state, {900, PlainRow(104), 48, 10});
    const Expected e = ExpectedOver(file, 900, kSamples, 95, 105);
    EXPECT_EQ(lost.dataPixels, e.count);
    EXPECT_EQ(lost.dataPixels, 9 * 45);
    EXPECT_EQ(lost.leftOut.lostLine, 45);
    EXPECT_EQ(lost.leftOut.padding, 3 * 10);
    EXPECT_EQ(lost.leftOut.pastEnd + lost.leftOut.greyField, 0);
    ExpectFigures(lost.shown, e);
    ExpectFigures(lost.decoded, e);

    const RegionStatistics cut = Measure(state, {0, PlainRow(404), 945, 10});
    EXPECT_EQ(cut.leftOut.pastEnd, 5 * 945);
    ExpectFigures(cut.shown, ExpectedOver(file, 0, kSamples, 395, 405));

    // Clipped to the picture; nothing at all outside it.
    EXPECT_EQ(Measure(state, {940, 700, 100, 100}).region, (Region{940, 700, 8, 4}));
    EXPECT_EQ(Measure(state, {2000, 0, 5, 5}).dataPixels, 0);
}

TEST_F(MeasurementsTest, FlipRotateAndHalfMeasureTheSamePixelsAsThePlainPicture) {
    const TestFile file = LostAndCut();
    // Frame columns 100..299, rows 80..139 (row 99 lost).
    const Expected e = ExpectedOver(file, 100, 300, 80, 140);
    struct Case {
        const char* name;
        DisplayOptions options;
        Region shown;  // where those frame pixels are shown
    };
    const Case cases[] = {
        {"flip", {.FlipVertical = 1}, {100, 80, 200, 60}},
        {"rotate", {.Rotate = 1}, {kWidth - 300, 80, 200, 60}},
        {"both", {.FlipVertical = 1, .Rotate = 1}, {kWidth - 300, PlainRow(139), 200, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChainSettings settings;
        settings.menu = c.options;
        const RegionStatistics got = Measure(Render(file, settings), c.shown);
        EXPECT_EQ(got.dataPixels, e.count);
        EXPECT_EQ(got.leftOut.lostLine, 200);
        ExpectFigures(got.shown, e);
        ExpectFigures(got.decoded, e);
    }

    // At 1/2 each block of four equal levels is one pixel: the same figures
    // over a quarter of the pixels, and no decoded ones. Whole picture: the
    // blocks reach columns 0..943 and the received rows but 98..99.
    ChainSettings half;
    half.menu.MinimizeHalf = 1;
    const RegionStatistics reduced = Measure(Render(file, half), {0, 0, kWidth, kHeight});
    TestFile blocks = file;
    blocks.received = [](int r) { return r < 400 && r != 98 && r != 99; };
    const Expected whole = ExpectedOver(blocks, 0, 944, 0, kLines);
    EXPECT_EQ(reduced.dataPixels * 4, whole.count);
    ExpectFigures(reduced.shown, whole);
    EXPECT_FALSE(reduced.decoded.has_value());
    EXPECT_EQ(reduced.dataPixels + reduced.leftOut.Total(), kWidth * kHeight);
}

TEST_F(MeasurementsTest, WideningRepeatsEachSampleSixTimesAndMeasuresInFileSamples) {
    TestFile narrow{dir / "69_011.001", BlockLevels(135, kLines), [](int) { return true; }};
    enc::WriteFile(narrow.path, enc::EncodePicture(136, narrow.picture, {.records = 1}));
    ChainSettings widen;
    widen.horizontalStretch = 1;
    const PictureState state = Render(narrow, widen);
    const RegionStatistics got = Measure(state, {0, PlainRow(99), 60, 100});  // samples 0..9
    const Expected e = ExpectedOver(narrow, 0, 10, 0, 100, 6);
    EXPECT_EQ(got.dataPixels, e.count);
    ExpectFigures(got.shown, e);
    EXPECT_FALSE(got.decoded.has_value());

    const ShownGeometry g = ShownGeometryOf(state);
    const Distance d = MeasureDistance(g, {0, 500}, {60, 420});
    EXPECT_EQ(d.shown, 100.0);
    EXPECT_DOUBLE_EQ(d.samples, 10.0);
    EXPECT_DOUBLE_EQ(d.lines, 80.0);
}

TEST_F(MeasurementsTest, ProfileAcrossALostLineGivesItNoLevel) {
    const TestFile file = LostAndCut();
    const PictureState state = Render(file, {});
    const std::vector<ProfileSample> samples =
        MeasureProfile(MeasuredPictureOf(state, true), {10, PlainRow(95)}, {15, PlainRow(104)});
    ASSERT_EQ(samples.size(), 10u);  // max(|dx|, |dy|) + 1
    for (const ProfileSample& s : samples) {
        SCOPED_TRACE(s.index);
        const int frameRow = 95 + s.index;
        EXPECT_EQ(s.shown.row, PlainRow(frameRow));
        ASSERT_TRUE(s.frame.has_value());
        EXPECT_EQ(s.frame->line, frameRow + 1);
        EXPECT_EQ(s.frame->sample, s.shown.column + 1);
        if (frameRow == 99) {
            EXPECT_EQ(s.kind, MeasuredKind::LostLine);
            EXPECT_FALSE(s.level.has_value());
        } else {
            EXPECT_EQ(s.kind, MeasuredKind::Data);
            EXPECT_EQ(s.level, file.picture.At(s.shown.column, frameRow));
        }
    }
    EXPECT_EQ(samples.back().shown.column, 15);
    EXPECT_NE(ProfileText(samples).find("\n4,12,604,100,13,,lost line\n"), std::string::npos);
}

}  // namespace
}  // namespace orbalux
