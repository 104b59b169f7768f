// The PDS4 label template of the picture files, as installed with the
// package (gdal/templates/mariner67_pds4.xml): its ${NAME} fields are the
// driver's metadata items and a few of the label's own.
#pragma once

#include <string_view>

namespace orbalux::gdal {

std::string_view Pds4Template();

}  // namespace orbalux::gdal
