// An 8-bit grey picture in display order (top row first), as PNG files and
// thumbnails hold it, and the box-filter reduction that makes thumbnails.
#pragma once

#include <cstdint>
#include <vector>

#include "intake/picture_state.h"

namespace orbalux::cli {

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height, rows top to bottom
};

// The picture of the BMP in BitmapBuffer, as it is seen: the BMP stores its
// rows bottom-up, so its last row becomes the first.
GreyImage GreyFromBitmap(const PictureState& state);

// Reduced so that its longer side is `longSide` pixels (never enlarged),
// proportions kept, each pixel the mean of the area it covers.
GreyImage MakeThumbnail(const GreyImage& picture, int longSide);

}  // namespace orbalux::cli
