#include "shell/zoom.h"

#include <algorithm>

namespace {

constexpr int kLastStep = static_cast<int>(kZoomSteps.size()) - 1;

const ZoomFactor& Factor(int step) { return kZoomSteps[static_cast<std::size_t>(std::clamp(step, 0, kLastStep))]; }

// Floor division for the negative coordinates left and above the picture.
int FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int>(q);
}

}  // namespace

int ZoomIn(int step) { return std::min(std::clamp(step, 0, kLastStep) + 1, kLastStep); }

int ZoomOut(int step) { return std::max(std::clamp(step, 0, kLastStep) - 1, 0); }

int FitToWindow(int width, int height, int areaWidth, int areaHeight) {
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) return kActualSizeStep;
    for (int step = kLastStep; step > 0; --step) {
        if (ZoomedLength(width, step) <= areaWidth && ZoomedLength(height, step) <= areaHeight) return step;
    }
    return 0;
}

int ZoomedLength(int length, int step) {
    const ZoomFactor& f = Factor(step);
    return FloorDiv(static_cast<long long>(length) * f.numerator, f.denominator);
}

int PictureCoordinate(int shown, int step) {
    const ZoomFactor& f = Factor(step);
    return FloorDiv(static_cast<long long>(shown) * f.denominator, f.numerator);
}

std::string ZoomPercent(int step) {
    const ZoomFactor& f = Factor(step);
    return std::to_string(100 * f.numerator / f.denominator) + "%";
}
