// Text put into the driver's XML: the open options' help in attributes and
// the header lines in a PDS4 label.
#pragma once

#include <string>
#include <string_view>

namespace orbalux::gdal {

// `text` with & < > " as entities and every control character (the
// converter's help breaks its lines) as a space: fit for element text and
// for attributes in double quotes.
std::string XmlEscaped(std::string_view text);

}  // namespace orbalux::gdal
