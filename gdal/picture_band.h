// One picture file through the core with the driver's options: the band's
// pixels, as the converter writes them for the same options, the facts of the
// decode that the dataset's metadata gives, and what the load warns of.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gdal/open_options.h"
#include "state/grey_image.h"

namespace orbalux::gdal {

struct PictureBand {
    GreyImage picture;  // rows top to bottom, as the BMP shows them
    std::vector<std::pair<std::string, std::string>> metadata;  // name, value
    std::vector<std::string> warnings;
};

// Loads `path` (by the catalogue entry of options.asName when given), runs the
// display chain and takes the picture out of the finished BMP. Throws
// OrbaluxError as the load does: the file cannot be read, or no picture line
// is found in it.
PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options);

}  // namespace orbalux::gdal
