// The BMP file as the bitmap stages left it in BitmapBuffer, written to a
// stream: the one BMP writer behind the converter, the browser's Save As and
// the web page's download.
#pragma once

#include <cstdio>
#include <string>

#include "state/picture_state.h"

namespace orbalux {

// Writes the 54 + 3·W·H bytes of the BMP. Throws OrbaluxError naming `name`:
// Failed when the state holds no picture, Unwritable when the stream fails.
void WriteBitmapStream(const PictureState& state, std::FILE* stream, const std::string& name);

}  // namespace orbalux
