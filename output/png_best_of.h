// A PNG at a chosen compression level that is never larger than the fast
// level 1 file of the same picture: the higher levels' filters and full match
// search lose to level 1's on some pictures (the narrow formats' frames, with
// five sixths of even fill), so they are tried side by side.
#pragma once

#include <cstdio>
#include <span>

#include "output/png_text.h"
#include "state/grey_image.h"

namespace orbalux {

// Writes `image` as WriteGreyPng does at `level`; from level 2 on, the file
// of level 1 instead when that one is smaller. Throws std::runtime_error.
void WriteGreyPngBestOf(std::FILE* file, const GreyImage& image, int level, std::span<const PngText> texts = {});

}  // namespace orbalux
