// Whether a file is a picture file of the volume, told from its first bytes:
// the catalogue entry of its name gives where its line records begin and
// their format, and the first of them must be found by their markers. A file
// of another format under a picture file's name (compressed image data, a
// label, an empty file) is not taken, although a marker word may turn up by
// chance somewhere further in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orbalux::gdal {

// How many of the file's first bytes FirstLinesFound needs for a file decoded
// by the catalogue entry of `catalogueName`.
std::size_t BytesToCheck(const std::string& catalogueName);

// True when one of the first two line records lying in `firstBytes` is found
// by its marker.
bool FirstLinesFound(std::span<const std::uint8_t> firstBytes, const std::string& catalogueName);

}  // namespace orbalux::gdal
