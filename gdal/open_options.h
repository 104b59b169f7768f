// The driver's open options: the display chain under the open-option names
// of the display options table, and AS_NAME, the catalogue entry that a
// renamed file decodes with.
#pragma once

#include <string>

#include <cpl_port.h>

#include "load/chain_settings.h"

namespace orbalux::gdal {

struct PictureOptions {
    ChainSettings chain;  // as the converter's flags set it
    std::string asName;   // empty: the file's own name
};

// Reads the open options of `file`. A value that is not YES/NO (for the
// switches) or a whole number in range (for the levels) throws OrbaluxError
// naming the file, the option and the value.
PictureOptions ParseOpenOptions(const std::string& file, CSLConstList openOptions);

// GDAL's XML list of the options, for the driver's metadata.
std::string OpenOptionListXml();

}  // namespace orbalux::gdal
