// The shown picture as the window draws it: 32-bit pixels (blue, green, red
// and an opaque byte, little-endian 0xFFRRGGBB), top row first, made straight
// from the working picture rather than read back from the BMP.
#pragma once

#include <cstddef>
#include <cstdint>

#include "state/picture_state.h"

namespace orbalux {

// Writes the W x H picture that the BMP in BitmapBuffer shows into `rows`,
// `bytesPerLine` apart (at least 4 W), read from the working picture in
// FileBuffer, never parsed out of the BMP. Returns false, writing nothing,
// when the state holds no picture.
bool WriteScreenImage(const PictureState& state, std::uint8_t* rows, std::ptrdiff_t bytesPerLine);

}  // namespace orbalux
