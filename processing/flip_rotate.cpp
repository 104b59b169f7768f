#include <algorithm>

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

// Rows exchanged top for bottom; an odd picture keeps its middle row.
void ApplyFlipVertical(PictureState& state) {
    if (state.ActiveOptions.FlipVertical != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(picture.row(top), picture.row(top) + picture.width, picture.row(bottom));
}

// Reversing the order of all pixels turns the picture by 180 degrees:
// (y, x) goes to (H - 1 - y, W - 1 - x).
void ApplyRotate(PictureState& state) {
    if (state.ActiveOptions.Rotate != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    std::reverse(picture.pixels, picture.pixels + picture.count());
}

}  // namespace orbalux
