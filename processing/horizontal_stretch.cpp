#include <algorithm>

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {
// The two narrow formats: 816 x 704 frames whose first 136 columns carry the
// picture (or 33 of them, with grey fill up to 136).
constexpr int kNarrowWidth = 816;
constexpr int kNarrowRows = 704;
constexpr int kNarrowColumns = 136;
constexpr int kWidening = kNarrowWidth / kNarrowColumns;  // 6
}  // namespace

// Every row is rebuilt from its own first 136 pixels, each repeated six
// times. The source is the decoded picture, which at this first stage is
// still what the working picture holds.
void ApplyHorizontalStretch(PictureState& state) {
    if (state.HorizontalStretchOn != 1 || state.FrameStride != kNarrowWidth) return;
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
