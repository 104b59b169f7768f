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

// "ends N lines short of the frame" when the file is cut short
// (LinesShortOfFrame, decode/frame_decoder.h).
std::optional<std::string> TruncationWarning(const PictureState& state);

// "not in the catalogue: default parameters used" when no catalogue row names
// the file.
std::optional<std::string> CatalogueWarning(const PictureState& state);

// Both, in that order, for the loaded picture.
std::vector<std::string> LoadWarnings(const PictureState& state);

}  // namespace orbalux
