// The shown picture as 8-bit grey pixels in display order (top row first),
// read back from the BMP that the chain built, and the box-filter reduction
// that makes thumbnails of it.
#pragma once

#include <cstdint>
#include <vector>

#include "state/grey_image.h"
#include "state/picture_state.h"

namespace orbalux {

// The picture of the BMP in BitmapBuffer, as it is seen: the BMP stores its
// rows bottom-up, so its last row becomes the first.
GreyImage GreyFromBitmap(const PictureState& state);

// Reduced so that its longer side is `longSide` pixels (never enlarged),
// proportions kept, each pixel the mean of the area it covers.
GreyImage MakeThumbnail(const GreyImage& picture, int longSide);

}  // namespace orbalux
