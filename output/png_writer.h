// 8-bit greyscale PNG output through libpng.
#pragma once

#include <cstdio>
#include <span>

#include "output/png_text.h"
#include "state/grey_image.h"

namespace orbalux {

// Writes `image` as an 8-bit greyscale PNG to `file` with zlib level `level`
// (0..9). Throws std::runtime_error with libpng's message on failure.
//
// The level also picks the row filter and zlib's strategy: stored without a
// filter at 0; run-length matching after the "up" filter at 1, "Paeth" at 2
// and libpng's adaptive filter choice at 3; the adaptive choice with zlib's
// full match search at 4 to 9. The default, level 1, writes these noisy
// pictures about ten times faster than libpng's usual setting (adaptive
// filters, zlib level 6) for files about 3% larger.
//
// `texts` go into text chunks ahead of the pixels.
void WriteGreyPng(std::FILE* file, const GreyImage& image, int level, std::span<const PngText> texts = {});

}  // namespace orbalux
