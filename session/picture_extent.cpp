// The picture's columns of a shown bitmap, asked of the row map.
#include "session/picture_extent.h"

#include <algorithm>

namespace orbalux {

GreyImage CutToPicture(const GreyImage& shown, const ShownGeometry& geometry, const RowMap& rows) {
    const int row = shown.height / 2;
    int first = -1, last = -1;
    for (int x = 0; x < shown.width; ++x) {
        const ShownPixelKind kind = ShownPixelKindOf(geometry, rows, {x, row});
        if (kind == ShownPixelKind::NotPicture || kind == ShownPixelKind::Surround) continue;
        if (first < 0) first = x;
        last = x;
    }
    if (first < 0 || (first == 0 && last == shown.width - 1)) return shown;
    GreyImage cut(last - first + 1, shown.height);
    for (int y = 0; y < shown.height; ++y) std::copy_n(shown.Row(y) + first, cut.width, &cut.At(0, y));
    return cut;
}

}  // namespace orbalux
