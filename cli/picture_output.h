// Writing the rendered picture to its output file.
#pragma once

#include <string>

#include "cli/convert_options.h"
#include "intake/picture_state.h"

namespace orbalux::cli {

// Writes the BMP in BitmapBuffer (its first 54 + 3*W*H bytes, as they are) or
// the same picture as an 8-bit greyscale PNG, atomically. Throws
// std::runtime_error naming the output and the reason.
void WritePictureOutput(const PictureState& state, const std::string& path, OutputFormat format, int pngLevel);

}  // namespace orbalux::cli
