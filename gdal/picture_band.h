// One picture file through the core with the driver's options: the band's
// pixels (the picture as the converter writes it for the same options, or,
// with FRAME=YES, the decoded frame in record order), the facts of the decode
// that the metadata and the labels give, and what the load warns of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdal/open_options.h"
#include "gdal/picture_facts.h"
#include "state/grey_image.h"

namespace orbalux::gdal {

struct PictureBand {
    GreyImage picture;  // rows top to bottom
    std::vector<std::uint8_t> mask;  // 1 on a data pixel, 0 elsewhere, as the picture's pixels
    DatasetFacts facts;
    std::vector<std::string> warnings;
};

// Reads `path` through GDAL's file layer and loads it (by the catalogue entry
// of options.asName when given, else of the picture's own name), runs the
// display chain (no BMP written) and takes the shown picture from the working
// picture; with
// options.frame, the decoded frame instead. Throws OrbaluxError as the load
// does: the file cannot be read, or no picture line is found in it.
// The band's pixels and mask take memory that KeepBandBuffers kept, when
// there is some.
PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options);

// Keeps a closed dataset's pixels and mask for the next RenderPictureBand.
void KeepBandBuffers(std::vector<std::uint8_t>&& pixels, std::vector<std::uint8_t>&& mask);

}  // namespace orbalux::gdal
