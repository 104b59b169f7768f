#include <algorithm>
#include <vector>

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {

struct Placement {
    int factor;    // f: blocks of f x f pixels become one
    int firstRow;  // R0
    int firstColumn;  // C0
};

// Columns: factor, first row, first column. The reduced picture is centred on
// column 400 of the frame whatever the width; the bitmap is stored bottom-up,
// so the 1/2 picture shows from display line 69 down.
Placement PlacementFor(int factor, int width, int height) {
    if (factor == 4) return {4, 2 * (height / 4) + height / 8 - 69, 400 - (width / 4) / 2};
    return {2, height / 2 - 69, 400 - (width / 2) / 2};
}

}  // namespace

// Block means of f x f pixels, rounded down, on a grey field of the frame's
// full size. The field is laid after the negative, so it stays 160.
void ApplyMinimize(PictureState& state) {
    int factor = 0;
    if (state.ActiveOptions.MinimizeQuarter == 1) factor = 4;
    else if (state.ActiveOptions.MinimizeHalf == 1) factor = 2;
    if (factor == 0) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;

    // The field overwrites the picture before the blocks are written, so the
    // blocks are read from a copy.
    const std::vector<std::uint8_t> source(state.FileBuffer);
    std::fill(state.FileBuffer.begin() + kPictureOrigin, state.FileBuffer.end(), kMinimizeBackground);

    const int width = picture.width;
    const int height = picture.height;
    const Placement place = PlacementFor(factor, width, height);
    const std::uint8_t* from = source.data() + kPictureOrigin;
    const int area = factor * factor;
    // Blocks that would fall outside the frame (only pictures far from the
    // decoded sizes place them so) are left out rather than wrapped.
    for (int j = 0; j < height / factor; ++j) {
        const int row = place.firstRow + j;
        if (row < 0 || row >= height) continue;
        std::uint8_t* to = picture.row(row);
        for (int i = 0; i < width / factor; ++i) {
            const int column = place.firstColumn + i;
            if (column < 0 || column >= width) continue;
            int sum = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const std::uint8_t* block = from + static_cast<std::size_t>(factor * j + dy) * width + factor * i;
                for (int dx = 0; dx < factor; ++dx) sum += block[dx];
            }
            to[column] = static_cast<std::uint8_t>(sum / area);
        }
    }
}

}  // namespace orbalux
