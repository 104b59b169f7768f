// One picture file through the core with the driver's options: the band's
// pixels (the picture as the converter writes it for the same options, or,
// with FRAME=YES, the decoded frame in record order), the facts of the decode
// that the metadata and the labels give, and what the load warns of.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gdal/open_options.h"
#include "gdal/picture_facts.h"
#include "processing/chain_geometry.h"
#include "state/grey_image.h"
#include "state/row_map.h"

namespace orbalux::gdal {

// What the mask of a picture (not a frame) is made from, when first asked
// for: a read of the band alone never needs it.
struct MaskMakings {
    ShownGeometry geometry;
    RowMap rows;
};

struct PictureBand {
    GreyImage picture;  // rows top to bottom
    // 1 on a data pixel, 0 elsewhere, as the picture's pixels: made for a
    // frame; for a picture from `maskLater` (ShownDataMask), into this memory.
    std::vector<std::uint8_t> mask;
    std::optional<MaskMakings> maskLater;
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
