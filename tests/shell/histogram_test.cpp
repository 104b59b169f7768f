// The histogram's figures and window.
#include <gtest/gtest.h>

#include <cmath>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>

#include "shell/histogram_box.h"
#include "session/grey_histogram.h"
#include "test_volume.h"

namespace {

using orbalux::GreyHistogram;
using orbalux::HistogramOf;

orbalux::GreyImage GreyPicture(int width, const std::vector<int>& levels) {
    orbalux::GreyImage picture(width, static_cast<int>(levels.size()) / width);
    for (int i = 0; i < static_cast<int>(levels.size()); ++i)
        picture.At(i % width, i / width) = static_cast<std::uint8_t>(levels[i]);
    return picture;
}

TEST(Histogram, FiguresOfAKnownPictureInTheWindow) {
    const GreyHistogram h = HistogramOf(GreyPicture(4, {0, 0, 10, 255, 10, 10, 10, 100}));
    EXPECT_EQ(h.pixels, 8);
    EXPECT_EQ(h.counts[0], 2);
    EXPECT_EQ(h.counts[10], 4);
    EXPECT_EQ(h.counts[100] + h.counts[255], 2);
    EXPECT_EQ(h.minimum, 0);
    EXPECT_EQ(h.maximum, 255);
    EXPECT_DOUBLE_EQ(h.mean, 395.0 / 8);
    const GreyHistogram g = HistogramOf(std::vector<std::uint8_t>{37, 200, 37, 90});
    EXPECT_EQ(g.minimum, 37);  // neither extreme need be 0 or 255
    EXPECT_EQ(g.maximum, 200);

    THistogramBox box;
    box.resize(400, 300);
    box.show();
    box.SetHistogram(h);
    auto text = [&box](const char* name) { return box.findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(text("HistogramPixels"), "8");
    EXPECT_EQ(text("HistogramMaximum"), "255");
    EXPECT_EQ(text("HistogramMean"), "49.38");
    const int tallest = box.Bars()->BarHeight(10);
    EXPECT_GT(tallest, 0);
    EXPECT_EQ(box.Bars()->BarHeight(0), tallest / 2);  // two pixels against four
    EXPECT_EQ(box.Bars()->BarHeight(11), 0);
    EXPECT_GE(box.Bars()->BarHeight(255), 1);  // a single pixel still shows
    box.Clear();
    EXPECT_EQ(text("HistogramMean"), "-");
    EXPECT_EQ(box.Bars()->BarHeight(10), 0);
}

TEST(Histogram, LogarithmicScaleShowsAFewPixelsBesideMany) {
    std::vector<int> levels(1001, 10);
    levels[0] = 200;  // one pixel against a thousand
    THistogramBox box;
    box.resize(400, 300);
    box.show();
    box.SetHistogram(HistogramOf(GreyPicture(1001, levels)));
    const int full = box.Bars()->BarHeight(10);
    EXPECT_EQ(box.Bars()->BarHeight(200), 1);  // linear: the least a present level gets
    box.findChild<QCheckBox*>("HistogramLogarithmic")->setChecked(true);
    ASSERT_TRUE(box.Bars()->Logarithmic());
    EXPECT_EQ(box.Bars()->BarHeight(10), full);
    // log(2) / log(1001) of the tallest: about a tenth.
    EXPECT_NEAR(box.Bars()->BarHeight(200), full * std::log(2.0) / std::log(1001.0), 1.0);
}

TEST(Histogram, CountsOnlyTheDataOfAFileCutAtHalf) {
    shelltest::Volume v;
    v.Write945("RBL_0001.001", 1);
    qint64 size = 0;
    {
        QFile cut(v.Path("RBL_0001.001"));
        ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
        size = cut.size() / 2;
        ASSERT_TRUE(cut.resize(size));
    }
    // Records of 2 + 4 * 315 bytes from byte 964 on; a line counts when its
    // record lies wholly within the file, and of it only its 945 samples.
    const qint64 within = (size - 964) / (2 + 4 * 315);
    shelltest::Browser b;
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("Histogram1")->trigger();
    EXPECT_EQ(b.probe().HistogramBox()->findChild<QLabel*>("HistogramPixels")->text(), QString::number(within * 945));
}

}  // namespace
