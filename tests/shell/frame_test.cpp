// The frame round the picture: the image window without buttons of its own,
// Fit following the frame's size, the strip's side and height kept from run
// to run, the level text, and status texts that fit a small window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
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
    b.form->resizeDocks({b.form->ThumbnailStrip()}, {100}, Qt::Horizontal);
    QCoreApplication::processEvents();
    const int width = b.form->ThumbnailStrip()->width();
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
    b.form->resize(381, 338);
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

TEST_F(Frame, At640By480ThePictureHasAtLeastHalfTheHeight) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.form->resize(640, 480);
    QCoreApplication::processEvents();
    ASSERT_TRUE(b.form->ThumbnailStrip()->isVisible());
    EXPECT_GE(b.probe().CurrentChild()->ScrollArea()->height(), b.form->height() / 2);
}

}  // namespace
