// The frame round the picture: the image window without buttons of its own,
// Fit following the frame's size, the strip's side and height kept from run
// to run, the level text, status texts that fit a small window, and a title
// that names the shown picture through every step.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "session/zoom.h"
#include "shell/MDIChild.h"
#include "shell/elided_label.h"
#include "shell/picture_control.h"
#include "shell/thumbnail_strip.h"
#include "test_volume.h"

namespace {

using orbalux::ZoomFactor;
using shelltest::Browser;
using shelltest::Volume;

struct Frame : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        for (int i = 1; i <= 2; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
        b.form->resize(1000, 800);
        QCoreApplication::processEvents();
    }
    TElidedLabel* status(const char* name) const { return b.form->findChild<TElidedLabel*>(name); }
};

TEST_F(Frame, TheImageWindowHasNoButtonsOfItsOwnAndTheMenuBarStaysPut) {
    const QRect menus = b.form->menuBar()->geometry();
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    QCoreApplication::processEvents();
    TChild* child = b.probe().CurrentChild();
    EXPECT_TRUE(child->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(child->isMaximized());
    // Nothing of the window has moved into the menu bar.
    EXPECT_EQ(b.form->menuBar()->cornerWidget(Qt::TopRightCorner), nullptr);
    EXPECT_EQ(b.form->menuBar()->cornerWidget(Qt::TopLeftCorner), nullptr);
    EXPECT_EQ(b.form->menuBar()->geometry(), menus);
    // A picture smaller than the view sits in its middle.
    b.action("ZoomOut1")->trigger();
    QCoreApplication::processEvents();
    QWidget* view = child->ScrollArea()->viewport();
    const QRect shown(child->Image()->mapTo(view, QPoint(0, 0)), child->Image()->size());
    EXPECT_LE(std::abs(shown.center().x() - view->rect().center().x()), 1);
    EXPECT_LE(std::abs(shown.center().y() - view->rect().center().y()), 1);
}

TEST_F(Frame, FitFollowsEveryChangeOfTheFramesSizeAndSmoothsAWholeLessEnlargement) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("FitToWindow1")->trigger();
    QWidget* view = b.probe().CurrentChild()->ScrollArea()->viewport();
    TPictureControl* image = b.probe().CurrentChild()->Image();
    // Fitted: the picture fills the view's width or its height, within a pixel.
    const auto fills = [&] {
        const QSize room = view->size();
        return image->width() <= room.width() && image->height() <= room.height() &&
               (room.width() - image->width() <= 1 || room.height() - image->height() <= 1);
    };
    for (const QSize size : {QSize(900, 700), QSize(1400, 1000), QSize(700, 500)}) {
        b.form->resize(size);
        QCoreApplication::processEvents();
        EXPECT_TRUE(fills()) << size.width() << " x " << size.height();
    }
    b.action("Thumbnails1")->trigger();  // the strip hidden: more room
    QCoreApplication::processEvents();
    EXPECT_TRUE(fills());
    b.action("Thumbnails1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fills());

    b.form->resize(1400, 1100);
    QCoreApplication::processEvents();
    const ZoomFactor z = image->Zoom();
    ASSERT_GT(z.numerator, z.denominator);  // an enlargement
    EXPECT_EQ(image->Smoothed(), z.numerator % z.denominator != 0);
}

TEST_F(Frame, TheStripsSideAndHeightAreKeptForTheNextStart) {
    b.form->addDockWidget(Qt::LeftDockWidgetArea, b.form->ThumbnailStrip());
    QCoreApplication::processEvents();
    // The user drags its right edge to make it narrower.
    const QPoint edge(b.form->ThumbnailStrip()->geometry().right() + 3, b.form->height() / 2);
    const QPoint to(b.form->ThumbnailStrip()->geometry().left() + 100, edge.y());
    QTest::mouseMove(b.form.get(), edge);
    QTest::mousePress(b.form.get(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(b.form.get(), to);
    QTest::qWait(20);  // the window moves the edge on a timer
    QTest::mouseRelease(b.form.get(), Qt::LeftButton, {}, to);
    QCoreApplication::processEvents();
    const int width = b.form->ThumbnailStrip()->width();
    ASSERT_LT(width, 120);
    ASSERT_NE(width, 0);

    Browser next;
    next.form->resize(1000, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(next.form->dockWidgetArea(next.form->ThumbnailStrip()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(next.form->ThumbnailStrip()->width(), width);
    // A narrower strip has smaller thumbnails.
    EXPECT_LT(next.form->ThumbnailStrip()->ThumbnailSide(), TThumbnailStrip::kThumbnailSize);

    // Back along the bottom for the tests after this one.
    next.form->addDockWidget(Qt::BottomDockWidgetArea, next.form->ThumbnailStrip());
    QCoreApplication::processEvents();
}

TEST_F(Frame, TheLevelsStepsOnThePictureAreShownWhileNotZero) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(status("LevelsStatus")->FullText(), "");
    b.button("ToolButton21")->click();
    b.button("ToolButton21")->click();
    EXPECT_EQ(status("LevelsStatus")->FullText(), "Brightness +2");
    b.button("ToolButton27")->click();
    EXPECT_EQ(status("LevelsStatus")->FullText(), "Brightness +2, Contrast -1");
    b.action("Next1")->trigger();  // each load starts at level 0
    EXPECT_EQ(status("LevelsStatus")->FullText(), "");
}

TEST_F(Frame, AStatusTextThatDoesNotFitIsShortenedAndWholeInItsTip) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    // Room for part of it beside the readout's room and the load warning.
    b.form->resize(800, 338);
    QCoreApplication::processEvents();
    TElidedLabel* size = status("PictureSizeStatus");
    ASSERT_EQ(size->FullText(), "948 x 704, 945-sample lines");
    EXPECT_TRUE(size->text().endsWith(QChar(0x2026))) << size->text().toStdString();
    EXPECT_EQ(size->toolTip(), size->FullText());
    EXPECT_LE(size->fontMetrics().horizontalAdvance(size->text()), size->contentsRect().width());
    b.form->resize(1400, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(size->text(), size->FullText());
    EXPECT_EQ(size->toolTip(), "");
}

TEST_F(Frame, TheReadoutAndARefusalKeepTheirRoomAtAnyWidthAndTheOtherFieldsGiveWay) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    TPictureControl* image = b.probe().CurrentChild()->Image();
    auto* counter = b.form->findChild<QLineEdit*>("Memo1");
    QStatusBar* bar = b.form->statusBar();
    for (int width : {640, 450}) {
        SCOPED_TRACE(width);
        b.form->resize(width, 480);
        QCoreApplication::processEvents();
        QMouseEvent move(QEvent::MouseMove, QPointF(100, 100), image->mapToGlobal(QPointF(100, 100)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(image, &move);
        QCoreApplication::processEvents();
        TElidedLabel* readout = status("PointerReadout");
        ASSERT_TRUE(readout->FullText().startsWith("Line ")) << readout->FullText().toStdString();
        EXPECT_EQ(readout->text(), readout->FullText());
        // The least urgent field gave way, not the readout.
        EXPECT_LT(status("PictureSizeStatus")->width(), status("PictureSizeStatus")->sizeHint().width());

        // A number off the list: the refusal shows whole, left of every field.
        counter->setFocus();
        counter->selectAll();
        QTest::keyClicks(counter, "999");
        QTest::keyClick(counter, Qt::Key_Return);
        QCoreApplication::processEvents();
        const QString refusal = bar->currentMessage();
        ASSERT_TRUE(refusal.startsWith("No entry 999")) << refusal.toStdString();
        int firstField = bar->width();
        for (QLabel* field : bar->findChildren<QLabel*>())
            if (field->isVisible() && field->width() > 0 && field->x() > 0)
                firstField = std::min(firstField, field->x());
        EXPECT_GE(firstField, bar->fontMetrics().horizontalAdvance(refusal)) << refusal.toStdString();
        bar->clearMessage();
    }
}

TEST_F(Frame, At640By480ThePictureHasAtLeastHalfTheHeight) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.form->resize(640, 480);
    QCoreApplication::processEvents();
    ASSERT_TRUE(b.form->ThumbnailStrip()->isVisible());
    EXPECT_GE(b.probe().CurrentChild()->ScrollArea()->height(), b.form->height() / 2);
}

}  // namespace

TEST_F(Frame, TheTitleTheCounterAndTheFramedThumbnailNameOneEntryThroughFullScreen) {
    for (int i = 3; i <= 6; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    TThumbnailStrip* strip = b.form->ThumbnailStrip();
    auto press = [this](Qt::Key key) {
        QWidget* picture = b.probe().CurrentChild()->Image();
        b.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(b.form.get()));
        picture->setFocus();
        QTest::keyClick(picture, key);
        QCoreApplication::processEvents();
    };
    // After each step: the entry at the counter's place is the one the title
    // names and the one framed in the strip.
    auto expectOneEntry = [this, strip](int position, const char* step) {
        const QString name = QString::fromStdString(b.probe().FileList()[static_cast<std::size_t>(position - 1)]);
        EXPECT_EQ(b.counter(), QString("%1/6").arg(position)) << step;
        EXPECT_TRUE(b.form->windowTitle().endsWith("[" + name + "]"))
            << step << ": " << b.form->windowTitle().toStdString();
        const QModelIndexList framed = strip->View()->selectionModel()->selectedIndexes();
        ASSERT_EQ(framed.size(), 1) << step;
        EXPECT_EQ(framed.front().data().toString(), name) << step;
    };
    expectOneEntry(1, "open");
    press(Qt::Key_Right);
    expectOneEntry(2, "Right");
    // The strip's splitter dragged.
    b.form->resizeDocks({strip}, {strip->height() - 30}, Qt::Vertical);
    QCoreApplication::processEvents();
    expectOneEntry(2, "strip dragged");
    press(Qt::Key_F11);
    press(Qt::Key_Right);
    expectOneEntry(3, "Right in full screen");
    press(Qt::Key_F11);
    expectOneEntry(3, "F11 out");
    press(Qt::Key_F11);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Escape);
    expectOneEntry(5, "Escape out");
    press(Qt::Key_F11);
    press(Qt::Key_End);
    press(Qt::Key_Right);  // at the end: nothing moves
    press(Qt::Key_F11);
    expectOneEntry(6, "End in full screen");
    // Closed: the frame's own title alone.
    b.action("Close1")->trigger();
    EXPECT_EQ(b.form->windowTitle(), "Orbalux CD-WO Image Browser ");
}
