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
#include "state/picture_state.h"

namespace orbalux::gdal {

struct PictureFacts {
    std::string sourceFile;     // the file's own name
    std::string catalogueName;  // the catalogue entry it was decoded by
    bool inCatalogue = false;
    int lineFormat = 0;
    int dataOffset = 0;
    int stretchGain = 0;
    int stretchBlack = 0;
    int frameLineCount = 0;  // the catalogue's line count (999-sample format), 0 when none
    int frameLines = 0;      // lines of the frame, as the format gives them
    int linesInFile = 0;     // line records found within the file
    int lostLines = 0;       // lines lost in transmission
    int linesShort = 0;      // lines of the frame missing at its end (the file was cut short)
    std::vector<std::pair<int, std::string>> headerLines;  // 1-based number, text; blank lines left out
    std::string layout;       // "DISPLAY" or "FRAME"
    std::string optionSet;    // OptionSetName, empty for a plain open
    std::optional<int> nodata;  // the value on pixels that are not data (NODATA)
};

PictureFacts FactsOf(const PictureState& state, const PictureOptions& options);

// The default metadata domain's items, name and value, in the order gdalinfo
// lists them.
std::vector<std::pair<std::string, std::string>> MetadataItems(const PictureFacts& facts);

// Whether `name` is one of those items (HEADER_n for any n): facts of the
// file, read from it at every open and never from a side file.
bool IsFactItem(std::string_view name);

}  // namespace orbalux::gdal
