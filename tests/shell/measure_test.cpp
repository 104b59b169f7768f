// Measure mode and Compare in the real window: a rectangle drawn across a
// lost line gives the statistics of its received pixels, kept when stepping;
// a line gives its profile and length; Compare keeps the pinned view at the
// image window's zoom and scroll.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QStatusBar>
#include <QToolButton>

#include "shell/picture_control.h"
#include "shell/profile_window.h"
#include "test_volume.h"
#include "tools/encoder/picture_encoder.h"

namespace {

namespace enc = orbalux::encoder;
using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

constexpr int kHeight = 704;                                   // the 945-sample frame's rows
int PlainRow(int frameRow) { return kHeight - 1 - frameRow; }  // the bitmap is bottom-up

struct Measuring : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        // Picture 1 of PatternLevel(1) with the line before row 99 lost.
        orbalux::GreyImage picture(945, 702);
        for (int y = 0; y < 702; ++y)
            for (int x = 0; x < 945; ++x) picture.At(x, y) = PatternLevel(x, y, 1);
        const std::vector<enc::LineDefect> lost = {
            {.line = 100, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
        enc::WriteFile(v.Path("RBL_0001.001").toStdString(), enc::EncodePicture(945, picture, {.records = 2}, lost));
        v.Write945("RBL_0002.001", 2);
    }
    TPictureControl* image() const { return b.probe().CurrentChild()->Image(); }
    void drag(QPoint from, QPoint to) const {
        auto mouse = [this](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent e(type, QPointF(at), image()->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(image(), &e);
        };
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    QString figure(const char* name) const {
        auto* table = b.form->findChild<QTableWidget*>("RegionTable");
        for (int i = 0; table && i < table->rowCount(); ++i)
            if (table->item(i, 0)->text() == name) return table->item(i, 1)->text();
        return {};
    }
};

TEST_F(Measuring, TheRegionWindowGivesTheReceivedPixelsFiguresAndFollowsTheSteps) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("Measure1")->trigger();
    EXPECT_TRUE(b.button("MeasureBtn")->isChecked());
    // Columns 0..9 over frame rows 95..104, dragged from corner to corner.
    drag({9, PlainRow(95)}, {0, PlainRow(104)});
    auto expected = [](int seed, bool lost) {
        int n = 0, lo = 255, hi = 0;
        double sum = 0;
        for (int y = 95; y <= 104; ++y)
            for (int x = 0; x <= 9; ++x) {
                if (lost && y == 99) continue;
                const int v = PatternLevel(x, y, seed);
                ++n, sum += v, lo = std::min(lo, v), hi = std::max(hi, v);
            }
        return std::tuple{QString::number(n), QString::number(lo), QString::number(hi),
                          QString::number(sum / n, 'f', 2)};
    };
    const auto [n1, lo1, hi1, mean1] = expected(1, true);
    EXPECT_EQ(figure("Region"), QString("0,%1,10,10").arg(PlainRow(104)));
    EXPECT_EQ(figure("Data pixels"), n1);
    EXPECT_TRUE(figure("Left out").startsWith("10 (lost line 10,")) << figure("Left out").toStdString();
    EXPECT_EQ(figure("Minimum"), lo1);
    EXPECT_EQ(figure("Maximum"), hi1);
    EXPECT_EQ(figure("Mean"), mean1);

    // The rectangle stays on the next picture and is measured there.
    b.action("Next1")->trigger();
    const auto [n2, lo2, hi2, mean2] = expected(2, false);
    EXPECT_EQ(figure("Data pixels"), n2);
    EXPECT_EQ(figure("Mean"), mean2);
    // Save... writes them as CSV where the dialog says.
    const QString csv = v.Path("region.csv");
    b.seam.saveAnswers.push_back({csv, {}});
    b.form->findChild<QPushButton*>("RegionSave")->click();
    QFile saved(csv);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("measure,value\nRegion,\"0," + QByteArray::number(PlainRow(104)) +
                                           ",10,10\"\nData pixels," + n2.toUtf8() + "\n"));
    EXPECT_EQ(b.form->statusBar()->currentMessage(), "Wrote " + csv);

    // A line across the lost one, back on the first picture.
    b.action("Previous1")->trigger();
    b.action("MeasureLine1")->trigger();
    drag({3, PlainRow(97)}, {3, PlainRow(100)});
    auto* profile = b.form->findChild<TProfileWindow*>("ProfileWindow");
    ASSERT_NE(profile, nullptr);
    ASSERT_EQ(profile->Samples().size(), 4u);
    EXPECT_EQ(profile->Samples()[2].kind, orbalux::MeasuredKind::LostLine);
    EXPECT_FALSE(profile->Samples()[2].level.has_value());
    EXPECT_EQ(profile->Samples()[3].level, PatternLevel(3, 100, 1));
    EXPECT_TRUE(b.form->findChild<QLabel*>("MeasureStatus")->text().startsWith("Line 3.0 px"));

    // The shapes are drawn over the picture at its zoom.
    b.action("ZoomIn1")->trigger();
    EXPECT_EQ(b.form->findChild<QWidget*>("MeasureOverlay")->size(), image()->size());

    b.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(b.form.get()));
    QTest::keyClick(b.form.get(), Qt::Key_Escape);
    EXPECT_EQ(figure("Data pixels"), QString());
    EXPECT_FALSE(b.action("MeasureLine1")->isChecked());
}

TEST_F(Measuring, CompareKeepsThePinnedViewAtTheImageWindowsZoomAndScroll) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("CompareWith1")->trigger();
    b.action("Next1")->trigger();
    auto* pinned = b.form->findChild<TPictureControl*>("ComparePicture");
    ASSERT_NE(pinned, nullptr);
    b.action("ZoomIn1")->trigger();
    b.action("ZoomIn1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(pinned->Zoom(), image()->Zoom());
    EXPECT_EQ(pinned->size(), image()->size());
    QScrollBar* left = b.probe().CurrentChild()->ScrollArea()->horizontalScrollBar();
    QScrollBar* right = b.form->findChild<QScrollArea*>("CompareScroll")->horizontalScrollBar();
    left->setValue(300);
    QCoreApplication::processEvents();
    EXPECT_EQ(right->value(), 300);
    right->setValue(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(left->value(), 200);

    // The readout names the picture under the pointer and the other's level.
    QMouseEvent move(QEvent::MouseMove, QPointF(9, 9), pinned->mapToGlobal(QPointF(9, 9)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(pinned, &move);
    EXPECT_TRUE(
        b.form->findChild<QLabel*>("CompareReadout")->text().startsWith("Column 3, row 3: RBL_0001.001 (pinned)"))
        << b.form->findChild<QLabel*>("CompareReadout")->text().toStdString();

    b.action("CompareWith1")->trigger();  // the same command ends it
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(b.form->findChild<QWidget*>("CompareSplit"), nullptr);
    EXPECT_TRUE(b.form->centralWidget()->isVisible());
    EXPECT_EQ(b.probe().CurrentChild()->windowTitle(), "RBL_0002.001");
}

TEST_F(Measuring, CompareOfALargerPinnedPictureScrollsOverAllOfIt) {
    // 69_041.002 is of the 999-sample format, much taller than the 945's.
    enc::WriteFile(v.Path("69_041.002").toStdString(),
                   enc::EncodePicture(999, orbalux::GreyImage(999, 1300), {.records = 2}));
    ASSERT_TRUE(b.open(v.Path("69_041.002")));
    b.action("CompareWith1")->trigger();
    b.action("Next1")->trigger();
    ASSERT_EQ(b.probe().CurrentChild()->windowTitle(), "RBL_0001.001");
    b.action("ZoomIn1")->trigger();
    QCoreApplication::processEvents();
    QScrollBar* shown = b.probe().CurrentChild()->ScrollArea()->verticalScrollBar();
    QScrollBar* pinned = b.form->findChild<QScrollArea*>("CompareScroll")->verticalScrollBar();
    ASSERT_GT(pinned->maximum(), shown->maximum() + 100);
    // Below the smaller picture's end: the shown view stops at its own.
    pinned->setValue(shown->maximum() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(pinned->value(), shown->maximum() + 100);
    EXPECT_EQ(shown->value(), shown->maximum());
}

}  // namespace
