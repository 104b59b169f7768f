#include <algorithm>
#include <vector>

#include "processing/chain_geometry.h"
#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

// Block means of f x f pixels, rounded down, on a grey field of the frame's
// full size. The field is laid after the negative, so it stays 160.
void ApplyMinimize(PictureState& state) {
    const int factor = ReductionFactor(state.ActiveOptions);
    if (factor == 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;

    // The field overwrites the picture before the blocks are written, so the
    // blocks are read from a copy.
    const std::vector<std::uint8_t> source(state.FileBuffer);
    std::fill(state.FileBuffer.begin() + kPictureOrigin, state.FileBuffer.end(), kMinimizeBackground);

    const int width = picture.width;
    const int height = picture.height;
    const ReducedPlacement place = PlacementOfReduction(factor, width, height);
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
