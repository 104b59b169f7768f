// Writing the rendered picture to a file, for the converter and the browser's
// Save As alike: the BMP in BitmapBuffer as it stands, or the same picture as
// an 8-bit greyscale PNG; always under a temporary name, renamed when whole.
#pragma once

#include <cstdio>
#include <span>
#include <string>

#include "output/png_text.h"
#include "state/picture_state.h"

namespace orbalux {

enum class PictureFormat { Bmp, Png };

// The PNG level the converter and the browser write by default (see
// png_writer.h): fast, for files a few per cent larger than zlib's best.
constexpr int kDefaultPngLevel = 1;

// Writes the picture to `path` atomically. Throws OrbaluxError naming the
// output and the reason; a file already at `path` then stays as it was.
// A PNG carries `texts` in text chunks; a BMP has no place for them.
void WritePictureFile(const PictureState& state, const std::string& path, PictureFormat format,
                      int pngLevel = kDefaultPngLevel, std::span<const PngText> texts = {});

// Writes the same bytes to an open stream (standard output, say). Throws
// OrbaluxError naming `name`.
void WritePictureStream(const PictureState& state, std::FILE* stream, const std::string& name,
                        PictureFormat format, int pngLevel = kDefaultPngLevel, std::span<const PngText> texts = {});

}  // namespace orbalux
