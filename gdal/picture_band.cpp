#include "gdal/picture_band.h"

#include <algorithm>
#include <cstring>

#include "gdal/virtual_file.h"
#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "output/grey_picture.h"
#include "processing/chain_geometry.h"
#include "state/orbalux_error.h"
#include "state/row_map.h"

namespace orbalux::gdal {
namespace {

// The frame as transmitted: every lost line kept as its own row (the gaps
// not closed up), one row per line of the frame in record order, and of each
// row only the format's picture samples (not the zeros and grey that complete
// a row). The row map says which rows were received. The lines can fill more
// rows than the picture has (the 876-sample frame is 950 lines in 912 rows,
// lost lines push the last ones down): all of them are given. Only lines the
// walk read past the file's data beyond the frame's count are left out, the
// places of records that lost lines left out of the file.
PictureBand FrameOf(const PictureState& state, const std::string& path) {
    const RowMap& map = state.DecodedRows;
    std::vector<RowKind> kinds(map.rows.begin(), std::find(map.rows.begin(), map.rows.end(), RowKind::Tail));
    kinds.insert(kinds.end(), map.belowPicture.begin(), map.belowPicture.end());
    while (static_cast<int>(kinds.size()) > state.LinesDecoded && kinds.back() == RowKind::PastEnd) kinds.pop_back();
    const int rows = static_cast<int>(kinds.size());
    const int samples = std::min(map.dataColumns, state.ImageWidth - map.firstDataColumn);
    const long long held = (kFileBufferSize - kPictureOrigin) / std::max(state.ImageWidth, 1);
    if (rows > held)
        throw OrbaluxError(ErrorKind::Failed, path,
                           "FRAME=YES: the frame's " + std::to_string(rows) +
                               " rows (lines and lost lines) exceed the " + std::to_string(held) +
                               " rows the decoder holds");
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
        if (kinds[static_cast<std::size_t>(row)] == RowKind::Line)
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
        band = FrameOf(state, path);
    } else {
        band.picture = GreyFromBitmap(state);
        band.mask = ShownDataMask(state, !chain.original);
    }
    band.facts = FactsOf(state, options);
    band.warnings = LoadWarnings(state);
    return band;
}

}  // namespace orbalux::gdal
