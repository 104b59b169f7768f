// The browser's arithmetic and words without a window: the zoom ladder and
// fit to window, a picture's place on the page, the command line, and the
// status bar's texts.
#include <gtest/gtest.h>

#include "session/command_line.h"
#include "session/print_layout.h"
#include "session/status_texts.h"
#include "session/zoom.h"

namespace orbalux {
namespace {

TEST(Zoom, LadderStopsAtItsEndsAndFitTakesAnyScaleThatFills) {
    EXPECT_EQ(ZoomIn(StepFactor(7)), 7);
    EXPECT_EQ(ZoomOut(StepFactor(0)), 0);
    EXPECT_EQ(ZoomPercent(StepFactor(ZoomOut(StepFactor(ZoomOut(StepFactor(kActualSizeStep)))))), "25%");
    // The width decides at 1895/948, just short of twice; the height at 1/2.
    EXPECT_EQ(FitToWindow(948, 704, 1895, 1408), (ZoomFactor{1895, 948}));
    EXPECT_EQ(ZoomedLength(948, FitToWindow(948, 704, 1895, 1408)), 1895);
    EXPECT_EQ(FitToWindow(1024, 1504, 1280, 752), (ZoomFactor{752, 1504}));
    EXPECT_EQ(FitToWindow(948, 704, 0, 0), StepFactor(kActualSizeStep));
    EXPECT_EQ(ZoomPercent(ZoomFactor{1895, 948}), "200%");
    EXPECT_EQ(ZoomPercent(ZoomFactor{500, 948}), "53%");
    // From a fitted scale the steps go on to the ladder's next one either way.
    EXPECT_EQ(ZoomIn(ZoomFactor{1895, 948}), kActualSizeStep + 1);
    EXPECT_EQ(ZoomOut(ZoomFactor{1895, 948}), kActualSizeStep);
    EXPECT_EQ(ZoomIn(ZoomFactor{2, 4}), kActualSizeStep);
    // Left of or above the picture stays off it, not on its first pixel.
    EXPECT_EQ(PictureCoordinate(-1, StepFactor(kActualSizeStep + 1)), -1);
    EXPECT_EQ(PictureCoordinate(3, StepFactor(0)), 12);
}

TEST(PrintLayout, KeepsProportionsAndFitsThePageLargerOrSmaller) {
    EXPECT_EQ(FitPictureToPage(948, 704, 4800, 6600), (PrintExtent{4800, 3564}));
    EXPECT_EQ(FitPictureToPage(948, 704, 4800, 3000), (PrintExtent{4039, 3000}));
    EXPECT_EQ(FitPictureToPage(948, 704, 900, 1200), (PrintExtent{900, 668}));
    EXPECT_EQ(FitPictureToPage(948, 704, 948, 704), (PrintExtent{948, 704}));
    EXPECT_EQ(FitPictureToPage(1024, 1504, 4800, 6600), (PrintExtent{4493, 6600}));
    EXPECT_EQ(FitPictureToPage(0, 704, 4800, 6600), PrintExtent{});
    EXPECT_EQ(FitPictureToPage(948, 704, 0, 6600), PrintExtent{});
}

TEST(CommandLine, OptionalFileHelpVersionAndMistakes) {
    using A = BrowserCommandLine::Action;
    EXPECT_EQ(ParseBrowserCommandLine({}).action, A::Run);
    EXPECT_EQ(ParseBrowserCommandLine({}).file, "");
    EXPECT_EQ(ParseBrowserCommandLine({"/v/69_011.001"}).file, "/v/69_011.001");
    EXPECT_EQ(ParseBrowserCommandLine({"--help"}).action, A::Help);
    EXPECT_EQ(ParseBrowserCommandLine({"x", "-h"}).action, A::Help);
    EXPECT_EQ(ParseBrowserCommandLine({"--version"}).action, A::Version);
    EXPECT_EQ(ParseBrowserCommandLine({"--frobnicate"}).action, A::Error);
    EXPECT_EQ(ParseBrowserCommandLine({"a", "b"}).action, A::Error);
    EXPECT_EQ(ParseBrowserCommandLine({"--", "-odd-name"}).file, "-odd-name");
}

TEST(StatusTexts, SizeFormatAndPointer) {
    orbalux::PictureState state;
    orbalux::SetPictureGeometry(state, 816, 704);
    state.LineFormat = 136;  // 45 groups of three samples
    EXPECT_EQ(PictureSizeText(state), "816 x 704, 135-sample lines");
    PixelReadout r{.shown = {}, .shownLevel = 128, .frame = FramePixel{12, 345}, .decodedLevel = 120};
    EXPECT_EQ(ReadoutText(r), "Line 12, sample 345: shown 128, decoded 120");
    // Where no level was received, the readout names no level.
    r.kind = orbalux::ShownPixelKind::LostLine;
    EXPECT_EQ(ReadoutText(r), "Line 12, sample 345: lost line");
    r.kind = orbalux::ShownPixelKind::PastEnd;
    EXPECT_EQ(ReadoutText(r), "Line 12, sample 345: past the end of the file");
    r.kind = orbalux::ShownPixelKind::NotPicture;
    EXPECT_EQ(ReadoutText(r), "Line 12, sample 345: not picture");
    r.frame.reset();
    r.kind = orbalux::ShownPixelKind::Surround;
    EXPECT_EQ(ReadoutText(r), "Grey field");
}

}  // namespace
}  // namespace orbalux
