// The zoom of the image window: a fixed ladder of whole steps, so that an
// enlarged picture keeps square whole pixels that can be measured one by one,
// and the free scale of "Fit to Window". A scale is a fraction of whole
// numbers, screen pixels per picture pixels, so that a fitted picture fills
// its room to the last whole pixel.
#pragma once

#include <array>
#include <string>

namespace orbalux {

struct ZoomFactor {
    long long numerator;
    long long denominator;
    bool operator==(const ZoomFactor&) const = default;
};

// Columns: screen pixels, per picture pixels.
inline constexpr std::array<ZoomFactor, 8> kZoomSteps = {{
    {1, 4}, {1, 2}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}, {8, 1},
}};

// Index into kZoomSteps of one screen pixel per picture pixel, the start state.
inline constexpr int kActualSizeStep = 2;

// The scale of a step; an index off the ladder counts as the nearest end.
ZoomFactor StepFactor(int step);
// Whether a scale is one of the ladder's (whatever its fraction's terms).
bool IsLadderStep(ZoomFactor factor);

// The step after a scale going larger or smaller: from a step the next one,
// from a fitted scale the first step beyond it; the ends of the ladder stay.
int ZoomIn(ZoomFactor now);
int ZoomOut(ZoomFactor now);

// The largest scale at which a width x height picture fits an area of
// areaWidth x areaHeight, any scale, larger or smaller; actual size for an
// empty picture or area.
ZoomFactor FitToWindow(int width, int height, int areaWidth, int areaHeight);

// A picture length on screen at a scale, rounded down (a quarter of 947
// pixels is 236 whole screen pixels).
int ZoomedLength(int length, ZoomFactor factor);

// The picture coordinate under screen coordinate `shown`: the pixel whose
// enlarged square holds it, or the first of the pixels a reduced screen pixel
// stands for. Negative screen coordinates give negative results.
int PictureCoordinate(int shown, ZoomFactor factor);

// "25%", "100%", "800%"; a fitted scale to the nearest whole percent.
std::string ZoomPercent(ZoomFactor factor);

}  // namespace orbalux
