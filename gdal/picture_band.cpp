#include "gdal/picture_band.h"

#include <algorithm>
#include <cstring>

#include "gdal/virtual_file.h"
#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "output/grey_picture.h"
#include "processing/chain_geometry.h"
#include "state/row_map.h"

namespace orbalux::gdal {
namespace {

// The frame as transmitted: every lost line kept as its own row (the gaps
// not closed up), one row per line of the frame in record order, and of each
// row only the format's picture samples (not the zeros and grey that complete
// a row). The row map says which rows were received.
PictureBand FrameOf(const PictureState& state) {
    const RowMap& map = state.DecodedRows;
    const int samples = std::min(map.dataColumns, state.ImageWidth - map.firstDataColumn);
    const int rows = std::min({state.LinesDecoded, state.ImageHeight, static_cast<int>(map.rows.size())});
    PictureBand band;
    band.picture = GreyImage(samples, rows);
    band.mask.assign(band.picture.pixels.size(), 0);
    for (int row = 0; row < rows; ++row) {
        const std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(samples);
        std::memcpy(band.picture.pixels.data() + at,
                    state.DecodedImage.data() + kPictureOrigin +
                        static_cast<std::size_t>(row) * static_cast<std::size_t>(state.ImageWidth) +
                        static_cast<std::size_t>(map.firstDataColumn),
                    static_cast<std::size_t>(samples));
        if (map.rows[static_cast<std::size_t>(row)] == RowKind::Line)
            std::fill_n(band.mask.begin() + static_cast<std::ptrdiff_t>(at), samples, 1);
    }
    return band;
}

}  // namespace

PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options) {
    PictureState state;
    ChainSettings chain = options.chain;
    if (options.frame) chain.compressMissingLines = 0;
    // Through GDAL's file layer, so that every GDAL path reaches the load.
    const std::vector<std::uint8_t> bytes = ReadVirtualFile(path, kFileBufferSize);
    RenderPictureBytes(state, bytes, path, chain, options.asName.empty() ? PictureNameOf(path) : options.asName);
    PictureBand band;
    if (options.frame) {
        band = FrameOf(state);
    } else {
        band.picture = GreyFromBitmap(state);
        band.mask = ShownDataMask(state, !chain.original);
    }
    band.facts = FactsOf(state, options);
    band.warnings = LoadWarnings(state);
    return band;
}

}  // namespace orbalux::gdal
