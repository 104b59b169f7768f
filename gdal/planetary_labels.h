// The picture file's facts as the planetary formats' writers take them over
// from a source dataset: the json:ISIS3 and json:VICAR metadata domains
// (groups and keywords that GDAL's ISIS3 and VICAR writers copy into the
// labels they write) and the xml:PDS4 domain, the package's PDS4 template
// with its fields filled.
#pragma once

#include <string>

#include "gdal/picture_facts.h"

namespace orbalux::gdal {

// {"IsisCube": {"_type": "object", "Mariner67": {"_type": "group", ...},
//  "Mariner67Header": {...}}}: the source's facts and header lines.
std::string IsisLabelJson(const DatasetFacts& facts);

// {"PROPERTY": {"MARINER67": {...}}}: the same as a VICAR property.
std::string VicarLabelJson(const DatasetFacts& facts);

// The PDS4 template with every field filled (XML-escaped).
std::string Pds4Label(const DatasetFacts& facts);

}  // namespace orbalux::gdal
