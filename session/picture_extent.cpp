// The picture's columns of a shown bitmap, asked of the row map.
#include "session/picture_extent.h"

#include <algorithm>

orbalux::GreyImage CutToPicture(const orbalux::GreyImage& shown, const orbalux::ShownGeometry& geometry,
                                const orbalux::RowMap& rows) {
    const int row = shown.height / 2;
    int first = -1, last = -1;
    for (int x = 0; x < shown.width; ++x) {
        const orbalux::ShownPixelKind kind = orbalux::ShownPixelKindOf(geometry, rows, {x, row});
        if (kind == orbalux::ShownPixelKind::NotPicture || kind == orbalux::ShownPixelKind::Surround) continue;
        if (first < 0) first = x;
        last = x;
    }
    if (first < 0 || (first == 0 && last == shown.width - 1)) return shown;
    orbalux::GreyImage cut(last - first + 1, shown.height);
    for (int y = 0; y < shown.height; ++y) std::copy_n(shown.Row(y) + first, cut.width, &cut.At(0, y));
    return cut;
}
