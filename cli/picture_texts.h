// What a PNG written by the converter says about itself in its text chunks:
// the file it came from, the options applied, the ten header lines.
#pragma once

#include <string>
#include <vector>

#include "cli/convert_options.h"
#include "output/png_text.h"
#include "state/picture_state.h"

namespace orbalux::cli {

// "Source file", "Catalogue name" (only with --as), "Options", "Stretch"
// (which stretch made the picture, with the levels it found), "Header" (the
// ten lines without their padding blanks, one a line) and "Software".
std::vector<PngText> PictureTexts(const PictureState& state, const ConvertOptions& options);

// The contact sheet's: "Source files" (one name a line), "Options" and
// "Software".
std::vector<PngText> SheetTexts(const std::vector<std::string>& names, const ConvertOptions& options);

}  // namespace orbalux::cli
