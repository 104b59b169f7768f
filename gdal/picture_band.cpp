#include "gdal/picture_band.h"

#include <algorithm>
#include <cstring>

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"
#include "gdal/virtual_file.h"
#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "output/grey_picture.h"

namespace orbalux::gdal {
namespace {

// The frame as transmitted: every lost line kept as its own row (the gaps
// not closed up), one row per line of the frame in record order, and of each
// row only the format's picture samples (not the zeros and grey that complete
// a row).
GreyImage FrameOf(const PictureState& state) {
    // An unknown code decodes as the default format, as the decoder does.
    const FrameFormat* format = FindFrameFormat(state.LineFormat);
    if (format == nullptr) format = FindFrameFormat(kDefaultLineFormat);
    const int samples = std::min(3 * format->groups, state.ImageWidth);
    const int rows = std::min(state.LinesDecoded, state.ImageHeight);
    GreyImage frame(samples, rows);
    for (int row = 0; row < rows; ++row)
        std::memcpy(frame.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(samples),
                    state.DecodedImage.data() + kPictureOrigin +
                        static_cast<std::size_t>(row) * static_cast<std::size_t>(state.ImageWidth),
                    static_cast<std::size_t>(samples));
    return frame;
}

}  // namespace

PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options) {
    PictureState state;
    ChainSettings chain = options.chain;
    if (options.frame) chain.compressMissingLines = 0;
    // Through GDAL's file layer, so that every GDAL path reaches the load.
    const std::vector<std::uint8_t> bytes = ReadVirtualFile(path, kFileBufferSize);
    RenderPictureBytes(state, bytes, path, chain, options.asName.empty() ? PictureNameOf(path) : options.asName);
    GreyImage picture = options.frame ? FrameOf(state) : GreyFromBitmap(state);
    return {std::move(picture), FactsOf(state, options), LoadWarnings(state)};
}

}  // namespace orbalux::gdal
