// One picture file through the core with the driver's options: the band's
// pixels, as the converter writes them for the same options, and the facts
// of the decode that the dataset's metadata gives.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gdal/open_options.h"

namespace orbalux::gdal {

struct PictureBand {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width x height, top row first
    std::vector<std::pair<std::string, std::string>> metadata;  // name, value
};

// Loads `path` (with the catalogue entry of options.asName when given), runs
// the display chain and takes the picture out of the finished BMP. Throws
// OrbaluxError when the file cannot be read.
PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options);

}  // namespace orbalux::gdal
