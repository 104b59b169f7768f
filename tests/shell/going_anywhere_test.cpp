// Reaching any picture of the list and every command from the keyboard: the
// first and last entries, a position typed into the counter, Close wherever
// the focus is, and the Picture menu that repeats the tool bar.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "shell/MDIChild.h"
#include "shell/histogram_box.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

// Five listed files (seeds 1 to 5), the third one shown.
struct FiveFiles : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        for (int i = 1; i <= 5; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
        ASSERT_TRUE(b.open(v.Path("RBL_0003.001")));
    }
    QLineEdit* counterBox() const { return b.form->findChild<QLineEdit*>("Memo1"); }
    // A key pressed where the focus is, as the user presses it.
    void press(QWidget* where, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        where->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(where->window()));
        where->setFocus();
        QTest::keyClick(where, key, modifiers);
    }
};

TEST_F(FiveFiles, HomeEndAndATypedPositionGoStraightThere) {
    QWidget* picture = b.probe().CurrentChild()->Image();
    press(picture, Qt::Key_End);
    EXPECT_EQ(b.counter(), "5/5");
    EXPECT_EQ(b.shownLevel(2, 2), PatternLevel(2, 2, 5));
    press(picture, Qt::Key_Home);
    EXPECT_EQ(b.counter(), "1/5");
    EXPECT_EQ(b.caption(), "RBL_0001.001");

    // "4" and Enter in the counter box: entry 4, and the box shows 4/5.
    counterBox()->setFocus();
    counterBox()->selectAll();
    QTest::keyClicks(counterBox(), "4");
    QTest::keyClick(counterBox(), Qt::Key_Return);
    EXPECT_EQ(b.caption(), "RBL_0004.001");
    EXPECT_EQ(b.counter(), "4/5");
    // Off the list or not a number: nothing moves, the box shows the place again.
    for (const char* typed : {"9", "0", "x"}) {
        counterBox()->selectAll();
        QTest::keyClicks(counterBox(), typed);
        QTest::keyClick(counterBox(), Qt::Key_Return);
        EXPECT_EQ(b.counter(), "4/5") << typed;
    }
    EXPECT_EQ(b.caption(), "RBL_0004.001");
    EXPECT_TRUE(b.seam.errors.isEmpty());

    // A scan step does not overwrite a position being typed.
    b.action("ScanForward1")->trigger();
    counterBox()->setFocus();
    counterBox()->selectAll();
    QTest::keyClicks(counterBox(), "2");
    b.form->Timer1Timer();
    EXPECT_EQ(b.form->FileListPos(), 5);
    EXPECT_EQ(counterBox()->text(), "2");
    QTest::keyClick(counterBox(), Qt::Key_Return);
    EXPECT_EQ(b.counter(), "2/5");
    EXPECT_EQ(b.caption(), "RBL_0002.001");

    // Without a picture the box takes nothing.
    b.probe().CurrentChild()->close();
    EXPECT_TRUE(counterBox()->isReadOnly());
}

TEST_F(FiveFiles, CtrlWClosesThePictureWhereverTheFocusIs) {
    b.action("Histogram1")->trigger();
    QWidget* places[] = {b.probe().CurrentChild()->Image(), counterBox(), b.probe().HistogramBox()};
    for (QWidget* place : places) {
        SCOPED_TRACE(place->objectName().toStdString());
        if (!b.probe().CurrentChild()) {
            ASSERT_TRUE(b.open(v.Path("RBL_0003.001")));
        }
        press(place, Qt::Key_W, Qt::ControlModifier);
        EXPECT_EQ(b.probe().CurrentChild(), nullptr);
        EXPECT_TRUE(b.action("Open1")->isEnabled());
        EXPECT_EQ(b.counter(), "0/0");
    }
}

TEST_F(FiveFiles, TheHistogramWindowNeverHoldsTheFramesKeys) {
    press(b.probe().CurrentChild()->Image(), Qt::Key_H, Qt::ControlModifier);
    THistogramBox* box = b.probe().HistogramBox();
    ASSERT_TRUE(box && box->isVisible());
    // The histogram window active, as after a click into it.
    box->windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }));
    const auto before = box->Histogram().counts;
    QTest::keyClick(box, Qt::Key_Right);
    EXPECT_EQ(b.counter(), "4/5");
    EXPECT_NE(box->Histogram().counts, before) << "it follows the step";
    QTest::keyClick(box, Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(box->isVisible());
    press(b.probe().CurrentChild()->Image(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(box->isVisible());
}

TEST_F(FiveFiles, EveryToolButtonCommandHasAMenuItemThatWorksWithTheToolBarHidden) {
    // Each hint is the caption of a menu item, or the button's command is
    // already a File or About item.
    QStringList captions;
    for (QMenu* menu : b.form->findChildren<QMenu*>())
        for (QAction* action : menu->actions()) captions << action->text().remove('&').trimmed();
    const QStringList inOtherMenus = {"Open", "Save as BMP", "Print", "Scan Backword", "Previous", "Scan Stop",
                                      "Next", "Scan Forword", "About"};
    for (QToolButton* button : b.form->findChild<QWidget*>("MojCoolBar")->findChildren<QToolButton*>()) {
        if (inOtherMenus.contains(button->toolTip())) continue;
        EXPECT_TRUE(captions.contains(button->toolTip())) << button->toolTip().toStdString();
    }

    b.action("Toolbar1")->trigger();
    ASSERT_FALSE(b.form->findChild<QToolBar*>("MojToolBar")->isVisible());
    QWidget* picture = b.probe().CurrentChild()->Image();
    press(picture, Qt::Key_I);  // Invert Display
    EXPECT_EQ(b.shownLevel(6, 6), 255 - PatternLevel(6, 6, 3));
    EXPECT_TRUE(b.action("InvertDisplay1")->isChecked());
    EXPECT_TRUE(b.button("ToolButton19")->isChecked());
    b.action("InvertDisplay1")->trigger();
    EXPECT_EQ(b.shownLevel(6, 6), PatternLevel(6, 6, 3));
    EXPECT_FALSE(b.button("ToolButton19")->isChecked());

    // The Picture menu's toggles follow the buttons through a load.
    b.action("Despeckle1")->trigger();
    EXPECT_TRUE(b.button("ToolButton12")->isChecked());
    b.action("Next1")->trigger();
    EXPECT_FALSE(b.action("Despeckle1")->isChecked());
    b.action("ImageInfo1")->trigger();
    EXPECT_EQ(b.seam.modals, QStringList({"InfoBox"}));
}

}  // namespace
