// What a load says about a picture that it still shows: a file cut short
// before its last line, a name the catalogue does not list. The converter
// prints these, the browser shows them in its status bar, the driver passes
// them to GDAL's error handler as warnings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "state/picture_state.h"

namespace orbalux {

// How many of the frame's lines are missing at its end. The records of lines
// lost in transmission are not in a file (each leaves only a 2-byte
// displacement), so a whole file of N lines with L of them lost holds N - L
// records and the walk reads its last L lines past the end: the file is cut
// short only when the records within it plus the lines counted lost are
// fewer than the frame's lines.
int LinesShortOfFrame(const PictureState& state);

// "ends N lines short of the frame" when the file is cut short.
std::optional<std::string> TruncationWarning(const PictureState& state);

// "not in the catalogue: default parameters used" when no catalogue row names
// the file.
std::optional<std::string> CatalogueWarning(const PictureState& state);

// Both, in that order, for the loaded picture.
std::vector<std::string> LoadWarnings(const PictureState& state);

}  // namespace orbalux
