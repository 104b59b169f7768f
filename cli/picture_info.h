// What --info prints about a loaded picture file, as text for people or as
// one JSON object for scripts.
#pragma once

#include <string>

#include "state/picture_state.h"

namespace orbalux::cli {

// The file's name (escaped as in messages), the catalogue parameters, the picture size, the lines lost in transmission
// and the ten header lines, one item a line, no line ending in a blank.
std::string FormatPictureInfo(const PictureState& state);

// The same and the truncation and catalogue warnings as one JSON object on
// one line (ending in a newline); `path` is the file as given. A name that is
// not UTF-8 is given as messages show it, with its bytes in hex beside it
// ("pathHex", "fileHex", "catalogueNameHex").
std::string FormatPictureInfoJson(const PictureState& state, const std::string& path);

// The object for a file that could not be described: {"path":...,
// "error":REASON}, the path as FormatPictureInfoJson gives it.
std::string FormatFailureJson(const std::string& path, const std::string& error);

}  // namespace orbalux::cli
