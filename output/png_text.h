// Text chunks of a PNG: where a picture came from and how it was made, kept
// inside the file so that a copy never loses it.
#pragma once

#include <png.h>

#include <span>
#include <string>

namespace orbalux {

struct PngText {
    std::string keyword;  // 1 to 79 printable Latin-1 characters
    std::string text;
};

// Adds `texts` to the picture's chunks before its pixels: plain ASCII as
// tEXt, UTF-8 as iTXt, anything else as tEXt whose bytes read as Latin-1, so
// that every byte of a file name survives.
void AttachPngText(png_structp png, png_infop info, std::span<const PngText> texts);

}  // namespace orbalux
