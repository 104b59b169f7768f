#include "session/zoom.h"

#include <algorithm>

namespace orbalux {

namespace {

constexpr int kLastStep = static_cast<int>(kZoomSteps.size()) - 1;

// Floor division for the negative coordinates left and above the picture.
long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Compares a/b with c/d, all terms positive: negative, zero or positive.
int Compare(ZoomFactor x, ZoomFactor y) {
    const long long l = x.numerator * y.denominator, r = y.numerator * x.denominator;
    return l < r ? -1 : (l > r ? 1 : 0);
}

}  // namespace

ZoomFactor StepFactor(int step) { return kZoomSteps[static_cast<std::size_t>(std::clamp(step, 0, kLastStep))]; }

bool IsLadderStep(ZoomFactor factor) {
    return std::any_of(kZoomSteps.begin(), kZoomSteps.end(), [&](ZoomFactor s) { return Compare(s, factor) == 0; });
}

int ZoomIn(ZoomFactor now) {
    for (int step = 0; step <= kLastStep; ++step)
        if (Compare(StepFactor(step), now) > 0) return step;
    return kLastStep;
}

int ZoomOut(ZoomFactor now) {
    for (int step = kLastStep; step >= 0; --step)
        if (Compare(StepFactor(step), now) < 0) return step;
    return 0;
}

ZoomFactor FitToWindow(int width, int height, int areaWidth, int areaHeight) {
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) return StepFactor(kActualSizeStep);
    const ZoomFactor byWidth{areaWidth, width}, byHeight{areaHeight, height};
    return Compare(byWidth, byHeight) <= 0 ? byWidth : byHeight;
}

int ZoomedLength(int length, ZoomFactor f) {
    return static_cast<int>(FloorDiv(static_cast<long long>(length) * f.numerator, f.denominator));
}

int PictureCoordinate(int shown, ZoomFactor f) {
    return static_cast<int>(FloorDiv(static_cast<long long>(shown) * f.denominator, f.numerator));
}

std::string ZoomPercent(ZoomFactor f) {
    return std::to_string((200 * f.numerator + f.denominator) / (2 * f.denominator)) + "%";
}

}  // namespace orbalux
