// Where a picture goes on a printed page.
#pragma once

namespace orbalux {

struct PrintExtent {
    long long width = 0;
    long long height = 0;
    bool operator==(const PrintExtent&) const = default;
};

// The largest size of a width x height picture that fits a page of
// pageWidth x pageHeight dots with its proportions kept, larger or smaller
// than the picture itself; the free dimension is cut towards zero. The
// picture is printed at the top left corner of the page. An empty picture or
// page gives an empty extent.
PrintExtent FitPictureToPage(long long width, long long height, long long pageWidth, long long pageHeight);

}  // namespace orbalux
