// What --info prints about a loaded picture file, as text for people or as
// one JSON object for scripts.
#pragma once

#include <optional>
#include <string>

#include "processing/measurements.h"
#include "state/picture_state.h"

namespace orbalux::cli {

// The file's name (escaped as in messages), the catalogue parameters, the picture size, the lines lost in transmission
// and the ten header lines, one item a line, no line ending in a blank; then
// the region's statistics under "Statistics:" when given (--stats).
std::string FormatPictureInfo(const PictureState& state, const std::optional<RegionStatistics>& stats = {});

// The same and the truncation and catalogue warnings as one JSON object on
// one line (ending in a newline); `path` is the file as given. A name that is
// not UTF-8 is given as messages show it, with its bytes in hex beside it
// ("pathHex", "fileHex", "catalogueNameHex").
// With statistics, a "stats" object: region [x, y, w, h], dataPixels,
// leftOut (total and by kind), min, max, mean, stdDev, median (null without a
// data pixel) and the same of the decoded levels under "decoded" where each
// shown pixel is one decoded pixel.
std::string FormatPictureInfoJson(const PictureState& state, const std::string& path,
                                  const std::optional<RegionStatistics>& stats = {});

// The object for a file that could not be described: {"path":...,
// "error":REASON}, the path as FormatPictureInfoJson gives it.
std::string FormatFailureJson(const std::string& path, const std::string& error);

}  // namespace orbalux::cli
