#include "session/print_layout.h"

namespace orbalux {

PrintExtent FitPictureToPage(long long width, long long height, long long pageWidth, long long pageHeight) {
    if (width <= 0 || height <= 0 || pageWidth <= 0 || pageHeight <= 0) return {};
    // Whole-number arithmetic: the scale is pageWidth/width or
    // pageHeight/height, whichever is smaller, and cross-multiplying compares
    // the two without rounding.
    if (pageWidth * height <= pageHeight * width) return {pageWidth, height * pageWidth / width};
    return {width * pageHeight / height, pageHeight};
}

}  // namespace orbalux
