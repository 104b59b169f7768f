// The picture control at every step of the zoom ladder.
#include <gtest/gtest.h>

#include <QImage>

#include "shell/picture_control.h"
#include "session/zoom.h"

namespace {

using orbalux::kZoomSteps;
using orbalux::StepFactor;
using orbalux::ZoomFactor;
using orbalux::ZoomPercent;

TEST(PictureControl, TakesThePicturesZoomedSizeAtEveryStep) {
    TPictureControl control;
    control.SetPicture(QImage(948, 704, QImage::Format_RGB32));
    EXPECT_EQ(control.size(), QSize(948, 704));  // the start state: one to one
    const QSize expected[] = {{237, 176},   {474, 352},   {948, 704},   {1896, 1408},
                              {2844, 2112}, {3792, 2816}, {5688, 4224}, {7584, 5632}};
    for (int step = 0; step < static_cast<int>(kZoomSteps.size()); ++step) {
        control.SetZoom(StepFactor(step));
        EXPECT_EQ(control.size(), expected[step]) << ZoomPercent(StepFactor(step));
    }
    control.SetZoom(StepFactor(1));
    control.SetPicture(QImage(816, 704, QImage::Format_RGB32));  // a new picture keeps the zoom
    EXPECT_EQ(control.size(), QSize(408, 352));
}

TEST(PictureControl, DrawsWholePixelsAtTheStepsAndSmoothsAFittedReduction) {
    // Every pixel its own colour, so a blend or a wrong neighbour shows.
    QImage picture(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) picture.setPixel(x, y, qRgb(30 * x, 60 * y, 7));
    TPictureControl control;
    control.SetPicture(picture);
    control.SetZoom(StepFactor(4));  // 3x
    const QImage drawn = control.grab().toImage();
    ASSERT_EQ(drawn.size(), QSize(24, 12));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 24; ++x) ASSERT_EQ(drawn.pixel(x, y), picture.pixel(x / 3, y / 3)) << x << "," << y;
    // A part exposed by scrolling, and a halved picture.
    EXPECT_EQ(ZoomedRegion(picture, QRect(7, 4, 5, 2), StepFactor(4)).pixel(2, 1), picture.pixel(3, 1));
    EXPECT_EQ(ZoomedRegion(picture, QRect(0, 0, 4, 2), StepFactor(1)).pixel(3, 1), picture.pixel(6, 2));

    // A black and white board: a fitted reduction blends it to greys between,
    // the ladder's halving keeps pure black and white.
    QImage board(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    auto greysBetween = [&control] {
        const QImage shown = control.grab().toImage();
        int n = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) n += qGray(shown.pixel(x, y)) % 255 != 0;
        return n;
    };
    control.SetPicture(board);
    control.SetZoom(ZoomFactor{5, 8});
    EXPECT_EQ(control.size(), QSize(5, 5));
    EXPECT_GT(greysBetween(), 0);
    control.SetZoom(StepFactor(1));
    EXPECT_EQ(greysBetween(), 0);
}

}  // namespace
