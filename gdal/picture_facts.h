// What the dataset tells about its picture file, taken from the load once:
// the catalogue parameters, how much of the frame the file holds, the header
// lines, and the options it was opened with. The metadata items and the
// planetary labels (ISIS3, VICAR, PDS4) are all made from these facts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gdal/open_options.h"
#include "load/picture_facts.h"
#include "state/picture_state.h"

namespace orbalux::gdal {

// The load's facts and the options the dataset was opened with.
struct DatasetFacts : PictureFacts {
    std::string layout;         // "DISPLAY" or "FRAME"
    std::string optionSet;      // OptionSetName, empty for a plain open
    std::optional<int> nodata;  // the value on pixels that are not data (NODATA)
};

DatasetFacts FactsOf(const PictureState& state, const PictureOptions& options);

// The header lines that are not blank, with their 1-based numbers, as the
// metadata items and the labels name them.
std::vector<std::pair<int, std::string>> NumberedHeaderLines(const PictureFacts& facts);

// The default metadata domain's items, name and value, in the order gdalinfo
// lists them.
std::vector<std::pair<std::string, std::string>> MetadataItems(const DatasetFacts& facts);

// Whether `name` is one of those items (HEADER_n for any n): facts of the
// file, read from it at every open and never from a side file.
bool IsFactItem(std::string_view name);

}  // namespace orbalux::gdal
