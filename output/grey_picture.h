// The shown picture as 8-bit grey pixels in display order (top row first),
// taken from the working picture that the bitmap stages copied into the BMP,
// and the box-filter reduction that makes thumbnails of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "state/grey_image.h"
#include "state/picture_state.h"

namespace orbalux {

// The rows of the shown picture where they lie: the working picture in
// FileBuffer, whose row 0 the bottom-up BMP shows at the bottom, so display
// row y is working row H - 1 - y. Empty when the state holds no picture.
struct ShownRows {
    const std::uint8_t* pixels = nullptr;  // working row 0
    int width = 0;
    int height = 0;

    explicit operator bool() const { return pixels != nullptr; }
    const std::uint8_t* row(int y) const {
        return pixels + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width);
    }
};
ShownRows ShownRowsOf(const PictureState& state);

// The picture that the BMP in BitmapBuffer shows, as it is seen, read from the
// working picture in FileBuffer (see ShownRows) rather than from the BMP.
GreyImage GreyFromBitmap(const PictureState& state);
// The same into `image`, keeping its memory when the size allows.
void GreyFromBitmap(const PictureState& state, GreyImage& image);

// Reduced so that its longer side is `longSide` pixels (never enlarged),
// proportions kept, each pixel the mean of the area it covers.
GreyImage MakeThumbnail(const GreyImage& picture, int longSide);

}  // namespace orbalux
