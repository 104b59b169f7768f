// File names for the fuzz targets: one for every row of the catalogue (so
// that every line format, data offset and name rule is reached) and a few
// that no row lists. All are usable as a file name in a temporary folder.
#pragma once

#include <string>
#include <vector>

namespace orbalux::fuzz {

const std::vector<std::string>& FuzzNames();

// The LineFormat and DataOffset that the catalogue gives `name`, without
// running a decoder.
struct CatalogueChoice {
    int lineFormat;
    int dataOffset;
    int frameLineCount;
};
CatalogueChoice CatalogueChoiceFor(const std::string& name);

// A name that the catalogue sends to `lineFormat` (the first in FuzzNames).
std::string NameForFormat(int lineFormat);

}  // namespace orbalux::fuzz
