// The zoom of the image window: a fixed ladder of whole steps, so that an
// enlarged picture keeps square whole pixels that can be measured one by one.
#pragma once

#include <array>
#include <string>

struct ZoomFactor {
    int numerator;
    int denominator;
    bool operator==(const ZoomFactor&) const = default;
};

// Columns: screen pixels, per picture pixels.
inline constexpr std::array<ZoomFactor, 8> kZoomSteps = {{
    {1, 4}, {1, 2}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}, {8, 1},
}};

// Index into kZoomSteps of one screen pixel per picture pixel, the start state.
inline constexpr int kActualSizeStep = 2;

// The next larger and smaller steps; the ends of the ladder stay where they
// are. An index off the ladder counts as the nearest end.
int ZoomIn(int step);
int ZoomOut(int step);

// The largest step at which a width x height picture fits an area of
// areaWidth x areaHeight; the smallest step when none fits, and actual size
// for an empty picture or area.
int FitToWindow(int width, int height, int areaWidth, int areaHeight);

// A picture length on screen at `step`, rounded down (a quarter of 947 pixels
// is 236 whole screen pixels).
int ZoomedLength(int length, int step);

// The picture coordinate under screen coordinate `shown` at `step`: the pixel
// whose enlarged square holds it, or the first of the pixels a reduced screen
// pixel stands for. Negative screen coordinates give negative results.
int PictureCoordinate(int shown, int step);

// "25%", "100%", "800%".
std::string ZoomPercent(int step);
