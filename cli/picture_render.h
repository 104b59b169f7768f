// One picture through the core, as the browser would show it.
#pragma once

#include <string>

#include "cli/convert_options.h"
#include "intake/picture_state.h"

namespace orbalux::cli {

// Loads the file at `path` with `chain`'s settings and leaves the finished BMP
// in BitmapBuffer. The caller holds a WorkingBuffers guard over `state`.
// Throws OrbaluxError when the file cannot be read.
void RenderPicture(PictureState& state, const std::string& path, const ChainSettings& chain);

}  // namespace orbalux::cli
