// Text chunks of a PNG: where a picture came from and how it was made, kept
// inside the file so that a copy never loses it.
#pragma once

#include <png.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orbalux {

struct PngText {
    std::string keyword;  // 1 to 79 printable Latin-1 characters
    std::string text;
};

// Adds `texts` to the picture's chunks before its pixels: plain ASCII as
// tEXt, UTF-8 as iTXt, anything else as tEXt whose bytes read as Latin-1, so
// that every byte of a file name survives.
void AttachPngText(png_structp png, png_infop info, std::span<const PngText> texts);

// The text of the chunk `keyword` among those before the pixels of the PNG
// at `path` (the writer puts its own there); none when the file cannot be
// read, is no PNG or holds no such chunk.
std::optional<std::string> ReadPngTextChunk(const std::string& path, std::string_view keyword);

}  // namespace orbalux
