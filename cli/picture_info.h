// What --info prints about a loaded picture file.
#pragma once

#include <string>

#include "state/picture_state.h"

namespace orbalux::cli {

// The catalogue parameters, the picture size, the lines lost in transmission
// and the ten header lines, one item a line.
std::string FormatPictureInfo(const PictureState& state);

}  // namespace orbalux::cli
