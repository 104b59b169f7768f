// The zoom ladder, fit to window, and the picture control at every step.
#include <gtest/gtest.h>

#include <QImage>

#include "shell/picture_control.h"
#include "shell/zoom.h"

namespace {

TEST(Zoom, LadderStopsAtItsEndsAndFitTakesTheLargestStepThatFits) {
    EXPECT_EQ(ZoomIn(7), 7);
    EXPECT_EQ(ZoomOut(0), 0);
    EXPECT_EQ(ZoomPercent(ZoomOut(ZoomOut(kActualSizeStep))), "25%");
    EXPECT_EQ(FitToWindow(948, 704, 1896, 1408), kActualSizeStep + 1);  // exactly 2x
    EXPECT_EQ(FitToWindow(948, 704, 1895, 1408), kActualSizeStep);     // one column short
    EXPECT_EQ(FitToWindow(1024, 1504, 1280, 800), 1);                  // the height decides: 1/2
    EXPECT_EQ(FitToWindow(948, 704, 100, 100), 0);                     // nothing fits: the smallest
    EXPECT_EQ(FitToWindow(948, 704, 0, 0), kActualSizeStep);
    // Left of or above the picture stays off it, not on its first pixel.
    EXPECT_EQ(PictureCoordinate(-1, kActualSizeStep + 1), -1);
    EXPECT_EQ(PictureCoordinate(3, 0), 12);
}

TEST(PictureControl, TakesThePicturesZoomedSizeAtEveryStep) {
    TPictureControl control;
    control.SetPicture(QImage(948, 704, QImage::Format_RGB32));
    EXPECT_EQ(control.size(), QSize(948, 704));  // the start state: one to one
    const QSize expected[] = {{237, 176},   {474, 352},   {948, 704},   {1896, 1408},
                              {2844, 2112}, {3792, 2816}, {5688, 4224}, {7584, 5632}};
    for (int step = 0; step < static_cast<int>(kZoomSteps.size()); ++step) {
        control.SetZoom(step);
        EXPECT_EQ(control.size(), expected[step]) << ZoomPercent(step);
    }
    control.SetZoom(1);
    control.SetPicture(QImage(816, 704, QImage::Format_RGB32));  // a new picture keeps the zoom
    EXPECT_EQ(control.size(), QSize(408, 352));
}

TEST(PictureControl, DrawsWholePixelsEnlargedAndSamplesWhenReduced) {
    // Every pixel its own colour, so a blend or a wrong neighbour shows.
    QImage picture(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) picture.setPixel(x, y, qRgb(30 * x, 60 * y, 7));
    TPictureControl control;
    control.SetPicture(picture);
    control.SetZoom(4);  // 3x
    const QImage drawn = control.grab().toImage();
    ASSERT_EQ(drawn.size(), QSize(24, 12));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 24; ++x) ASSERT_EQ(drawn.pixel(x, y), picture.pixel(x / 3, y / 3)) << x << "," << y;
    // A part exposed by scrolling, and a halved picture.
    EXPECT_EQ(ZoomedRegion(picture, QRect(7, 4, 5, 2), 4).pixel(2, 1), picture.pixel(3, 1));
    EXPECT_EQ(ZoomedRegion(picture, QRect(0, 0, 4, 2), 1).pixel(3, 1), picture.pixel(6, 2));
}

}  // namespace
