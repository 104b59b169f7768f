// The picture's own stretches in the window: exclusive with the catalogue's
// Stretch, the percentiles' dialog, the choices kept from run to run, and
// the histogram's marks at lo and hi.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QSettings>
#include <QToolButton>

#include "shell/histogram_box.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

// 69_011.001 holds 135 samples by 702 lines of the pattern of seed 1, every
// one received.
constexpr int kColumns = 135;
constexpr int kLines = 702;

// The level at a percentile by nearest rank, from the levels the encoder
// was given: the ceil(p/100 * N)-th in order, at least the first.
int LevelAt(double percentile) {
    std::vector<int> levels;
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kColumns; ++x) levels.push_back(PatternLevel(x, y, 1));
    std::sort(levels.begin(), levels.end());
    const long long n = static_cast<long long>(levels.size());
    const long long thousandths = static_cast<long long>(percentile * 1000 + 0.5);
    const long long rank = std::max(1LL, (thousandths * n + 99'999) / 100'000);
    return levels[static_cast<std::size_t>(rank - 1)];
}

// lo to black, hi to white, linearly between, halves up.
int StretchedLevel(int v, int lo, int hi) {
    if (v <= lo) return 0;
    if (v >= hi) return 255;
    return ((v - lo) * 255 * 2 + (hi - lo)) / (2 * (hi - lo));
}

struct PictureStretch : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        v.Write136("69_011.001", 1, 1);
        v.Write136("69_011.002", 2, 2);
        ASSERT_TRUE(b.open(v.Path("69_011.001")));
    }
    // The remembered choices are the test's own: the next test starts from none.
    void TearDown() override {
        QSettings settings;
        for (const char* key : {"options/pictureStretch", "options/lowPercentile", "options/highPercentile"})
            settings.remove(key);
    }
    int level(int x = 7, int y = 9) const { return PatternLevel(x, y, 1); }
};

TEST_F(PictureStretch, PercentileStretchTakesStretchsPlaceInButtonsAndMenus) {
    b.button("ToolButton13")->click();  // the catalogue's gain of 3
    ASSERT_EQ(b.shownLevel(7, 9), std::min(255, 3 * level()));

    b.button("ToolButton34")->click();
    EXPECT_FALSE(b.button("ToolButton13")->isChecked());
    EXPECT_FALSE(b.action("Stretch1")->isChecked());
    EXPECT_TRUE(b.button("ToolButton34")->isChecked());
    EXPECT_TRUE(b.action("PercentileStretch2")->isChecked());
    const int lo = LevelAt(0.5), hi = LevelAt(99.5);
    EXPECT_EQ(b.probe().State().StretchDataPixels, kColumns * kLines);
    for (const auto& [x, y] : {std::pair{7, 9}, std::pair{0, 0}, std::pair{134, 701}, std::pair{60, 300}})
        EXPECT_EQ(b.shownLevel(x, y), StretchedLevel(PatternLevel(x, y, 1), lo, hi)) << x << "," << y;

    b.action("Equalize2")->trigger();  // one of the picture's own clears the other
    EXPECT_FALSE(b.button("ToolButton34")->isChecked());
    EXPECT_TRUE(b.button("ToolButton35")->isChecked());
    b.button("ToolButton13")->click();
    EXPECT_FALSE(b.button("ToolButton35")->isChecked());
    EXPECT_EQ(b.shownLevel(7, 9), std::min(255, 3 * level()));

    // The menu defaults alike, and the next load takes them.
    b.action("Atostretch1")->trigger();
    b.action("PercentileStretch1")->trigger();
    EXPECT_FALSE(b.action("Atostretch1")->isChecked());
    EXPECT_EQ(b.probe().State().MenuOptions.Stretch, 0);
    b.action("Next1")->trigger();
    EXPECT_TRUE(b.button("ToolButton34")->isChecked());
    EXPECT_FALSE(b.button("ToolButton13")->isChecked());
}

TEST_F(PictureStretch, PercentileDialogRerunsTheShownPictureAndIsRemembered) {
    b.button("ToolButton34")->click();
    // 0 and 100 percent: the lowest and highest levels of the pattern.
    b.seam.percentileAnswer = PercentileChoice{0, 100};
    b.action("StretchPercentiles1")->trigger();
    EXPECT_EQ(b.shownLevel(7, 9), StretchedLevel(level(), 20, 219));
    EXPECT_EQ(b.probe().State().StretchLowLevel, 20);
    EXPECT_EQ(b.probe().State().StretchHighLevel, 219);

    b.seam.percentileAnswer = PercentileChoice{60, 40};  // out of order: refused, the picture stays
    b.action("StretchPercentiles1")->trigger();
    EXPECT_EQ(b.seam.errors.size(), 1);
    EXPECT_EQ(b.shownLevel(7, 9), StretchedLevel(level(), 20, 219));

    b.action("Equalize1")->trigger();
    Browser next;  // the next run
    EXPECT_EQ(next.probe().State().LowPercentile, 0.0);
    EXPECT_EQ(next.probe().State().HighPercentile, 100.0);
    EXPECT_EQ(next.probe().State().MenuOptions.Equalize, 1);
    EXPECT_TRUE(next.action("Equalize1")->isChecked());
}

TEST_F(PictureStretch, HistogramMarksLoAndHiOfAPercentileStretch) {
    b.action("Histogram1")->trigger();
    THistogramBox* box = b.probe().HistogramBox();
    EXPECT_FALSE(box->Bars()->StretchMarks());
    b.button("ToolButton34")->click();
    const int lo = LevelAt(0.5), hi = LevelAt(99.5);
    ASSERT_TRUE(box->Bars()->StretchMarks());
    EXPECT_EQ(box->Bars()->StretchMarks()->low, lo);
    EXPECT_EQ(box->Bars()->StretchMarks()->high, hi);
    // The bars are the levels that entered the stretch, not the shown ones
    // it took to black and white.
    EXPECT_EQ(box->Histogram().minimum, LevelAt(0));
    EXPECT_EQ(box->Histogram().maximum, LevelAt(100));
    const QString text = box->findChild<QLabel*>("HistogramStretch")->text();
    EXPECT_TRUE(text.contains(QString::number(lo)) && text.contains(QString::number(hi))) << text.toStdString();

    // Two red lines across the bars, at lo and hi.
    const QImage bars = box->Bars()->grab().toImage();
    const int middle = bars.height() / 3;
    for (const int at : {lo, hi}) {
        const QColor c = bars.pixelColor(box->Bars()->ColumnOf(at), middle);
        EXPECT_TRUE(c.red() > 150 && c.green() < 100) << at;
    }

    b.button("ToolButton35")->click();  // equalised: no percentiles to mark
    EXPECT_FALSE(box->Bars()->StretchMarks());
}

}  // namespace
