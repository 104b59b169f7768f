// Next, Previous and the timed scan through the directory list.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QLabel>
#include <QFile>
#include <QTimer>
#include <QToolButton>

#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/thumbnail_strip.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

// Three listed files (seeds 1 to 3) and one outside the list's prefixes.
struct ThreeFiles : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        for (int i = 1; i <= 3; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
        v.Write945("OTHER.001", 9);
    }
    int pos() const { return b.form->FileListPos(); }
};

TEST_F(ThreeFiles, NextAndPreviousStopAtBothEnds) {
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    EXPECT_EQ(b.counter(), "2/3");
    b.button("FileTylBtn")->click();
    EXPECT_EQ(b.counter(), "1/3");
    EXPECT_EQ(b.caption(), "RBL_0001.001");
    EXPECT_EQ(b.shownLevel(5, 5), PatternLevel(5, 5, 1));
    EXPECT_TRUE(b.probe().InfoBox()->Line(0)->text().startsWith("PICTURE 1"));
    b.button("FileTylBtn")->click();  // at entry 1: nothing
    EXPECT_EQ(b.counter(), "1/3");
    EXPECT_EQ(b.caption(), "RBL_0001.001");

    b.action("Next1")->trigger();
    b.action("Next1")->trigger();
    EXPECT_EQ(b.counter(), "3/3");
    EXPECT_EQ(b.shownLevel(5, 5), PatternLevel(5, 5, 3));
    b.button("FileForBtn")->click();  // at the last entry: nothing
    EXPECT_EQ(b.counter(), "3/3");
    EXPECT_EQ(b.caption(), "RBL_0003.001");
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST_F(ThreeFiles, FromPositionZeroNextLoadsTheFirstEntryAndPreviousDoesNothing) {
    ASSERT_TRUE(b.open(v.Path("OTHER.001")));
    EXPECT_EQ(b.counter(), "0/3");
    b.action("Previous1")->trigger();
    EXPECT_EQ(b.counter(), "0/3");
    EXPECT_EQ(b.caption(), "OTHER.001");
    b.action("Next1")->trigger();
    EXPECT_EQ(b.counter(), "1/3");
    EXPECT_EQ(b.caption(), "RBL_0001.001");
}

TEST_F(ThreeFiles, EachStepLoadsWithTheMenuDefaultsAndLevelsAtZero) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("Invert1")->trigger();  // default for the next load only
    EXPECT_EQ(b.shownLevel(5, 5), PatternLevel(5, 5, 1));
    b.button("ToolButton33")->click();
    b.button("ToolButton21")->click();
    EXPECT_EQ(b.probe().State().BrightnessLevel, 20);
    b.action("Next1")->trigger();
    EXPECT_EQ(b.probe().State().BrightnessLevel, 0);
    EXPECT_EQ(b.probe().State().ActiveOptions.Rotate, 0);
    EXPECT_FALSE(b.button("ToolButton33")->isChecked());
    EXPECT_TRUE(b.button("ToolButton19")->isChecked());
    EXPECT_EQ(b.shownLevel(5, 5), 255 - PatternLevel(5, 5, 2));
}

TEST_F(ThreeFiles, ScanTicksStepPauseSwitchDirectionAndStopAtTheEnd) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    QTimer* timer = b.probe().Timer1();
    b.action("N5seconds1")->trigger();
    b.button("FileForAutoBtn")->click();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(b.probe().ScanDirection(), 1);
    EXPECT_TRUE(b.button("FileForAutoBtn")->isChecked());
    EXPECT_FALSE(b.button("FileTylAutBtn")->isChecked());
    EXPECT_EQ(timer->interval(), 5000);  // the pause chosen, from the first step

    b.form->Timer1Timer();
    EXPECT_EQ(pos(), 2);
    EXPECT_EQ(b.caption(), "RBL_0002.001");
    // A new pause during the scan: the step under way comes after it, counted
    // from the choice.
    b.action("N2seconds1")->trigger();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2000);
    EXPECT_GT(timer->remainingTime(), 1000);

    // Scan Backward during the forward scan: only the direction changes.
    b.action("ScanBackward1")->trigger();
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(b.button("FileTylAutBtn")->isChecked());
    EXPECT_FALSE(b.button("FileForAutoBtn")->isChecked());
    b.form->Timer1Timer();
    EXPECT_EQ(pos(), 1);
    b.form->Timer1Timer();  // at entry 1: stops, the picture stays
    EXPECT_EQ(pos(), 1);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(b.button("FileTylAutBtn")->isChecked());
    EXPECT_EQ(b.caption(), "RBL_0001.001");

    b.action("ScanForward1")->trigger();
    for (int i = 0; i < 2; ++i) b.form->Timer1Timer();
    EXPECT_EQ(b.counter(), "3/3");
    EXPECT_TRUE(timer->isActive());
    b.form->Timer1Timer();
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(b.button("FileForAutoBtn")->isChecked());
    EXPECT_EQ(b.counter(), "3/3");

    b.action("ScanForward1")->trigger();
    b.button("FileStopBtn")->click();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(b.probe().ScanDirection(), 0);
    EXPECT_FALSE(b.button("FileForAutoBtn")->isChecked());
}

TEST_F(ThreeFiles, PauseItemsAreExclusive) {
    for (const char* item : {"N3seconds1", "N4seconds1", "N2seconds1", "N5seconds1"}) {
        b.action(item)->trigger();
        int checked = 0;
        for (const char* other : {"N2seconds1", "N3seconds1", "N4seconds1", "N5seconds1"})
            checked += b.action(other)->isChecked() ? 1 : 0;
        EXPECT_EQ(checked, 1);
        EXPECT_TRUE(b.action(item)->isChecked());
    }
    EXPECT_EQ(b.probe().ScanPause(), 5000);
}

TEST_F(ThreeFiles, ABadEntryShowsItsReasonInThePicturesPlaceWithoutABoxAndNextGoesPastIt) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    ASSERT_TRUE(QFile::remove(v.Path("RBL_0002.001")));

    b.action("Next1")->trigger();
    EXPECT_TRUE(b.seam.errors.isEmpty());
    EXPECT_EQ(b.counter(), "2/3");
    EXPECT_EQ(b.caption(), "RBL_0002.001");
    TChild* child = b.probe().CurrentChild();
    ASSERT_TRUE(child->ShowsFailure());
    EXPECT_TRUE(child->findChild<QLabel*>("EntryFailure")->text().contains("No such file or directory"));
    EXPECT_EQ(b.form->ThumbnailStrip()->EntryMark(2), TThumbnailStrip::Mark::Failed);
    EXPECT_EQ(b.form->ThumbnailStrip()->EntryFailure(2), "No such file or directory");
    // Nothing to save, print, change or read the header of; the steps stay.
    for (const char* item : {"SaveAs1", "Print1", "ZoomIn1", "InvertDisplay1", "ImageInfo1"})
        EXPECT_FALSE(b.action(item)->isEnabled()) << item;
    for (const char* button : {"FileSaveBtn", "ToolButton19", "ToolButton29"})
        EXPECT_FALSE(b.button(button)->isEnabled()) << button;
    for (const char* item : {"Next1", "Previous1", "Close1", "ScanForward1"})
        EXPECT_TRUE(b.action(item)->isEnabled()) << item;

    b.action("Next1")->trigger();
    EXPECT_FALSE(child->ShowsFailure());
    EXPECT_EQ(b.counter(), "3/3");
    EXPECT_EQ(b.shownLevel(5, 5), PatternLevel(5, 5, 3));
    EXPECT_TRUE(b.action("SaveAs1")->isEnabled());
    EXPECT_TRUE(b.button("ToolButton19")->isEnabled());
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST_F(ThreeFiles, TheCounterSelectsItsTextAndRefusesAPlaceOffTheList) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    auto* counter = b.form->findChild<QLineEdit*>("Memo1");
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(counter, &focus);
    const QPoint middle = counter->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, middle, counter->mapToGlobal(middle), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(counter, &press);
    EXPECT_EQ(counter->selectedText(), "1/3");  // typing replaces it all

    counter->setText("7");
    QTest::keyClick(counter, Qt::Key_Return);
    EXPECT_EQ(b.counter(), "1/3");
    EXPECT_EQ(b.caption(), "RBL_0001.001");
    EXPECT_TRUE(b.form->statusBar()->currentMessage().contains("1 to 3")) << b.form->statusBar()->currentMessage().toStdString();
    counter->setText("3");
    QTest::keyClick(counter, Qt::Key_Return);
    EXPECT_EQ(b.counter(), "3/3");
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST_F(ThreeFiles, TheScanKeyStartsAndStopsTheScanInTheLastDirection) {
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    b.action("ScanBackward1")->trigger();
    b.action("ScanStop1")->trigger();
    b.action("ScanToggle1")->trigger();
    EXPECT_TRUE(b.probe().Timer1()->isActive());
    EXPECT_TRUE(b.button("FileTylAutBtn")->isChecked());
    b.action("ScanToggle1")->trigger();
    EXPECT_FALSE(b.probe().Timer1()->isActive());
    EXPECT_FALSE(b.button("FileTylAutBtn")->isChecked());
}

}  // namespace
