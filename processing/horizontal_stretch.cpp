#include <algorithm>

#include "processing/chain_geometry.h"
#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

// Every row is rebuilt from its own first 136 pixels, each repeated six
// times. The source is the decoded picture, which at this first stage is
// still what the working picture holds.
void ApplyHorizontalStretch(PictureState& state) {
    if (!WidensNarrowFrame(state)) return;
    if (!PictureFits(state.DecodedImage, kNarrowWidth, kNarrowRows) ||
        !PictureFits(state.FileBuffer, kNarrowWidth, kNarrowRows))
        return;
    const std::uint8_t* source = state.DecodedImage.data() + kPictureOrigin;
    std::uint8_t* target = state.FileBuffer.data() + kPictureOrigin;
    for (int y = 0; y < kNarrowRows; ++y) {
        const std::uint8_t* from = source + y * kNarrowWidth;
        std::uint8_t* to = target + y * kNarrowWidth;
        for (int x = 0; x < kNarrowColumns; ++x) std::fill_n(to + kWidening * x, kWidening, from[x]);
    }
}

}  // namespace orbalux
