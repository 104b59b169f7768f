// The driver's open options: the display chain under the open-option names
// of the display options table, AS_NAME, the catalogue entry that a renamed
// file decodes with, FRAME, the frame as transmitted instead of the picture
// as shown, and NODATA, the value that stands for missing data in copies.
#pragma once

#include <optional>
#include <string>

#include <cpl_port.h>

#include "load/chain_settings.h"

namespace orbalux::gdal {

struct PictureOptions {
    ChainSettings chain;  // as the converter's flags set it
    std::string asName;   // empty: the file's own name
    bool frame = false;   // the decoded frame in record order, no display option
    // With a value, the band is Int16 and holds it on every pixel outside
    // the mask: formats without a mask of their own (ISIS3, PDS4, VICAR,
    // FITS) then keep the missing data as their null value.
    std::optional<int> nodata;
};

// Reads the open options of `file`. A value that is not YES/NO (for the
// switches) or a whole number in range (for the levels) throws OrbaluxError
// naming the file, the option and the value; so does FRAME=YES together with
// a display option. NODATA takes a whole number that Int16 holds and that
// no data level (0 to 255) can take.
PictureOptions ParseOpenOptions(const std::string& file, CSLConstList openOptions);

// The name of the option set in the names of side files (statistics,
// histograms, overviews): empty for a plain open, else the options that
// change pixels, such as "STRETCH+INVERT+BRIGHTNESS-2", so that what was
// computed under one set is never served under another.
std::string OptionSetName(const PictureOptions& options);

// GDAL's XML list of the options, for the driver's metadata.
std::string OpenOptionListXml();

}  // namespace orbalux::gdal
