// The viewing tools in the real window: zoom kept from picture to picture,
// the status bar's readout and file figures, the lost-line count in the
// information dialog, the histogram following the display, and the print
// preview drawn by the page rule.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include "session/print_layout.h"
#include "shell/InfoUnit.h"
#include "shell/elided_label.h"
#include "shell/histogram_box.h"
#include "test_volume.h"
#include "tools/encoder/picture_encoder.h"

namespace {

using orbalux::FitPictureToPage;
using orbalux::GreyHistogram;
using orbalux::PictureCoordinate;
using orbalux::PrintExtent;
using orbalux::ZoomFactor;
using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

struct Viewing : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        v.Write945("RBL_0001.001", 1);
        v.Write945("RBL_0002.001", 2);
    }
    TPictureControl* image() const { return b.probe().CurrentChild()->Image(); }
    // The whole text of a status, shortened on screen or not.
    QString status(const char* name) const {
        QLabel* label = b.form->findChild<QLabel*>(name);
        auto* elided = qobject_cast<TElidedLabel*>(label);
        return elided ? elided->FullText() : label->text();
    }
    void pointAt(int x, int y) const {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), image()->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(image(), &move);
    }
};

TEST_F(Viewing, ZoomStepsResizeThePictureAndOutliveEachLoad) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(image()->size(), QSize(948, 704));  // actual size to start with
    EXPECT_EQ(status("ZoomStatus"), "100%");
    b.action("ZoomIn1")->trigger();
    b.action("ZoomIn1")->trigger();
    EXPECT_EQ(image()->size(), QSize(2844, 2112));
    EXPECT_EQ(status("ZoomStatus"), "300%");

    b.action("Next1")->trigger();
    EXPECT_EQ(b.caption(), "RBL_0002.001");
    EXPECT_EQ(image()->size(), QSize(2844, 2112));
    b.button("ToolButton19")->click();  // a redisplay keeps it too
    EXPECT_EQ(image()->size(), QSize(2844, 2112));

    for (int i = 0; i < 5; ++i) b.action("ZoomOut1")->trigger();
    EXPECT_EQ(image()->size(), QSize(237, 176));
    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(image()->size(), QSize(237, 176));
    b.action("ActualSize1")->trigger();
    EXPECT_EQ(image()->size(), QSize(948, 704));

    EXPECT_TRUE(b.action("ZoomIn1")->shortcuts().contains(QKeySequence("Ctrl++")));
}

TEST_F(Viewing, FitToWindowFillsTheRoomAndFollowsTheWindowUntilAnotherZoom) {
    EXPECT_FALSE(b.action("FitToWindow1")->isEnabled());  // no picture yet
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    auto room = [this] { return b.probe().CurrentChild()->ScrollArea()->maximumViewportSize(); };
    // The picture fills the room on one side, to the last pixel, on the other within it.
    auto fills = [&] {
        const QSize r = room(), shown = image()->size();
        return shown.width() <= r.width() && shown.height() <= r.height() &&
               (shown.width() == r.width() || shown.height() == r.height());
    };
    b.form->resize(900, 700);
    QCoreApplication::processEvents();
    b.action("FitToWindow1")->trigger();
    EXPECT_TRUE(fills()) << image()->width() << " x " << image()->height();
    EXPECT_LT(image()->width(), 948);
    EXPECT_TRUE(status("ZoomStatus").startsWith("Fit "));
    // A larger window enlarges it, and so does the next picture's load.
    b.form->resize(2400, 1800);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fills()) << image()->width() << " x " << image()->height();
    EXPECT_GT(image()->width(), 948);
    b.action("Next1")->trigger();
    EXPECT_TRUE(fills());

    // Another zoom ends the fitting: the next whole step above the fitted scale.
    const int fitted = image()->width();
    b.action("ZoomIn1")->trigger();
    EXPECT_EQ(image()->width() % 948, 0);
    EXPECT_GT(image()->width(), fitted);
    const QSize stepped = image()->size();
    b.form->resize(1000, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(image()->size(), stepped);

    b.probe().CurrentChild()->close();
    EXPECT_FALSE(b.action("ZoomIn1")->isEnabled());
}

TEST_F(Viewing, ZoomKeepsThePointUnderThePointerOrTheMiddleAndTheMouseDragsThePicture) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.form->resize(900, 700);
    QCoreApplication::processEvents();
    QScrollArea* scroll = b.probe().CurrentChild()->ScrollArea();
    QWidget* view = scroll->viewport();
    // The picture pixel at a point of the view.
    auto pixelAt = [&](QPoint at) {
        const QPoint p = image()->mapFrom(view, at);
        const ZoomFactor z = image()->Zoom();
        return QPoint(PictureCoordinate(p.x(), z), PictureCoordinate(p.y(), z));
    };
    const QPoint pointer(300, 200);
    const QPoint before = pixelAt(pointer);
    QWheelEvent wheel(QPointF(pointer), view->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    EXPECT_EQ(image()->size(), QSize(1896, 1408));
    EXPECT_EQ(pixelAt(pointer), before);

    const QPoint middle = view->rect().center();
    const QPoint centre = pixelAt(middle);
    b.action("ZoomIn1")->trigger();
    EXPECT_EQ(image()->size(), QSize(2844, 2112));
    EXPECT_LE((pixelAt(middle) - centre).manhattanLength(), 1);

    // A drag 40 pixels left and 30 up moves the picture with the mouse.
    const QPoint scrolled(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value());
    auto mouse = [this](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), image()->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(image(), &e);
    };
    const QPoint grip = image()->mapFrom(view, QPoint(400, 300));
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip - QPoint(40, 30), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, grip - QPoint(40, 30), Qt::NoButton);
    EXPECT_EQ(QPoint(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value()),
              scrolled + QPoint(40, 30));
}

TEST_F(Viewing, AroundThePictureIsDarkerThanItsGreyField) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.button("ToolButton30")->click();  // half size on the grey 160 field
    for (int i = 0; i < 2; ++i) b.action("ZoomOut1")->trigger();
    b.form->resize(1200, 900);
    QCoreApplication::processEvents();
    QWidget* view = b.probe().CurrentChild()->ScrollArea()->viewport();
    const QImage shown = view->grab().toImage();
    // The picture sits in the middle of the view.
    const QPoint beyond = image()->mapTo(view, QPoint(image()->width() + 10, image()->height() + 10));
    ASSERT_TRUE(shown.valid(beyond));
    EXPECT_LT(qGray(shown.pixel(beyond)), 160);
    EXPECT_EQ(qGray(shown.pixel(image()->mapTo(view, QPoint(image()->width() - 2, 2)))), 160);  // the field itself
}

TEST_F(Viewing, PointerReadoutNamesTheFilesLineWithFlipAndRotateOn) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(status("PictureSizeStatus"), "948 x 704, 945-sample lines");

    // Unflipped, the bottom row on screen is the file's first line.
    pointAt(10, 703);
    const int level = PatternLevel(10, 0, 1);
    EXPECT_EQ(status("PointerReadout"),
              QString("Line 1, sample 11: shown %1, decoded %1").arg(level));

    // Flip and rotate together mirror left to right: the same screen point
    // now shows line 1 from its other end, and the readout follows at once.
    b.button("ToolButton10")->click();
    b.button("ToolButton33")->click();
    b.button("ToolButton19")->click();  // inverted: shown and decoded differ
    const int mirrored = PatternLevel(937, 0, 1);
    EXPECT_EQ(status("PointerReadout"),
              QString("Line 1, sample 938: shown %1, decoded %2").arg(255 - mirrored).arg(mirrored));

    // Zoomed in twice, each picture pixel is a 3 x 3 square.
    b.action("ZoomIn1")->trigger();
    b.action("ZoomIn1")->trigger();
    pointAt(3 * 100 + 2, 3 * 500 + 1);
    EXPECT_EQ(status("PointerReadout"), QString("Line 204, sample 848: shown %1, decoded %2")
                                            .arg(255 - PatternLevel(847, 203, 1))
                                            .arg(PatternLevel(847, 203, 1)));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(image(), &leave);
    EXPECT_EQ(status("PointerReadout"), "");
}

TEST_F(Viewing, LostLinesShowInTheStatusBarAndUnderTheHeader) {
    orbalux::GreyImage picture(945, 702, 90);
    orbalux::encoder::PictureFilePlan plan;
    plan.picture = picture;
    plan.defects = {{.line = 100, .droppedBefore = 1}, {.line = 300, .droppedBefore = 4}};
    const auto file = orbalux::encoder::BuildPictureFile(plan);
    orbalux::encoder::WriteFile(v.Path("RBL_0003.001").toStdString(), file.bytes);

    ASSERT_TRUE(b.open(v.Path("RBL_0003.001")));
    EXPECT_EQ(status("LostLinesStatus"), "Lost lines: 5");
    EXPECT_EQ(b.probe().InfoBox()->LostLines()->text(), "Lost lines: 5");
    b.action("Previous1")->trigger();
    EXPECT_EQ(status("LostLinesStatus"), "Lost lines: 0");
    EXPECT_EQ(b.probe().InfoBox()->LostLines()->text(), "Lost lines: 0");

    b.probe().CurrentChild()->close();
    EXPECT_EQ(status("LostLinesStatus"), "");
    EXPECT_EQ(status("PictureSizeStatus"), "");
}

TEST_F(Viewing, HistogramFollowsEveryRedisplayWhileOpen) {
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("Histogram1")->trigger();
    THistogramBox* box = b.probe().HistogramBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    const GreyHistogram first = box->Histogram();
    // The 945 samples of the 702 lines: not the black row ends and tail
    // rows. The pattern runs from 20 to 219.
    EXPECT_EQ(first.pixels, 945LL * 702);
    EXPECT_EQ(first.counts[0], 0);
    EXPECT_EQ(first.minimum, 20);
    EXPECT_EQ(first.maximum, 219);

    // Inverted, every level v is shown as 255 - v.
    b.button("ToolButton19")->click();
    const GreyHistogram inverted = box->Histogram();
    EXPECT_EQ(inverted.counts[255 - 20], first.counts[20]);
    EXPECT_EQ(inverted.minimum, 255 - 219);
    EXPECT_NEAR(inverted.mean, 255 - first.mean, 1e-9);

    // The half-size picture: the blocks wholly of picture data, not the grey
    // field around them: 472 of 474 columns (the last two blocks reach the
    // row end) and 351 of 352 rows (the last block row is the tail).
    b.button("ToolButton30")->click();
    EXPECT_EQ(box->Histogram().pixels, 472LL * 351);

    const GreyHistogram atClose = box->Histogram();
    box->close();
    b.action("Next1")->trigger();
    EXPECT_EQ(box->Histogram().counts, atClose.counts) << "a closed window does not follow";
    // Opened again, it shows the picture now on screen: the next file, with
    // the menus' options (none), so at full size again.
    b.action("Histogram1")->trigger();
    EXPECT_EQ(box->Histogram().pixels, first.pixels);
    EXPECT_NE(box->Histogram().counts, first.counts);

    // A narrow picture: its 135 samples, not the zero and the grey that end
    // its rows.
    v.Write136("69_011.002", 5, 2);
    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path("69_011.002")));
    EXPECT_EQ(box->Histogram().pixels, 135LL * 702);
}

TEST_F(Viewing, PrintPreviewDrawsThePageByThePrintRule) {
    EXPECT_FALSE(b.action("PrintPreview1")->isEnabled());
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    ASSERT_TRUE(b.action("PrintPreview1")->isEnabled());

    QSize page;
    b.seam.onModal = [&page](QDialog& dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        ASSERT_NE(preview, nullptr);
        QObject::connect(preview, &QPrintPreviewDialog::paintRequested,
                         [&page](QPrinter* printer) { page = QSize(printer->width(), printer->height()); });
        preview->findChild<QPrintPreviewWidget*>()->updatePreview();
    };
    b.action("PrintPreview1")->trigger();
    EXPECT_EQ(b.seam.modals, QStringList({"PrintPreviewDialog"}));
    ASSERT_FALSE(page.isEmpty());
    const PrintExtent rule = FitPictureToPage(948, 704, page.width(), page.height());
    const QRect previewed = b.probe().LastPageRect();
    EXPECT_EQ(previewed, QRect(0, 0, static_cast<int>(rule.width), static_cast<int>(rule.height)));

    // Printing on the same printer puts the picture in the same place.
    b.seam.pdfPath = v.Dir() + "/page.pdf";
    b.action("Print1")->trigger();
    EXPECT_EQ(b.probe().LastPageRect(), previewed);
}

}  // namespace
