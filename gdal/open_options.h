// The driver's open options: the converter's display chain under GDAL's
// option names, and AS_NAME, the catalogue entry a renamed file decodes with.
#pragma once

#include <string>

#include <cpl_port.h>

#include "intake/picture_state.h"

namespace orbalux::gdal {

// How one picture goes through the chain, as the converter's flags set it.
struct PictureOptions {
    DisplayOptions menu;           // the eight menu flags a load copies in
    int horizontalStretch = 0;
    int compressMissingLines = 1;  // KEEP_GAPS=YES sets 0
    int brightness = 0;            // levels stepped after the load
    int contrast = 0;
    std::string asName;            // empty: the file's own name
};

// Reads the open options of `file`. A value that is not YES/NO (for the
// switches) or a whole number in range (for the levels) throws OrbaluxError
// naming the file, the option and the value.
PictureOptions ParseOpenOptions(const std::string& file, CSLConstList openOptions);

// GDAL's XML list of the options, for the driver's metadata.
std::string OpenOptionListXml();

}  // namespace orbalux::gdal
