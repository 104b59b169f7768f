#include "gdal/picture_band.h"

#include <algorithm>
#include <memory>
#include <mutex>

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
void FrameOf(const PictureState& state, const std::string& path, PictureBand& band) {
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
    // Appended row by row into the kept buffers: each byte written once.
    const std::size_t width = static_cast<std::size_t>(std::max(samples, 0));
    band.picture.width = samples;
    band.picture.height = rows;
    band.picture.pixels.clear();
    band.picture.pixels.reserve(width * static_cast<std::size_t>(rows));
    band.mask.clear();
    band.mask.reserve(width * static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        const std::uint8_t* from = state.DecodedImage.data() + kPictureOrigin +
                                   static_cast<std::size_t>(row) * static_cast<std::size_t>(state.ImageWidth) +
                                   static_cast<std::size_t>(map.firstDataColumn);
        band.picture.pixels.insert(band.picture.pixels.end(), from, from + width);
        band.mask.insert(band.mask.end(), width,
                         kinds[static_cast<std::size_t>(row)] == RowKind::Line ? std::uint8_t{1} : std::uint8_t{0});
    }
}

// Working memory kept between opens: picture states with their buffers
// (about 6 MB each; the driver takes the grey picture from the working
// picture, so the BMP block is never written nor faulted in). A client that
// opens picture after picture (a Python loop over a volume) would otherwise
// get the buffers afresh for every open, which the allocator hands back to
// the system in between, and pay for faulting in and clearing them each time.
// A load keeps a state's buffers reading as fresh ones, as the converter's
// workers rely on, so a kept state renders every picture as a new one would.
// Each thread that reads takes one of its own; at most kKept wait for the
// next open.
template <typename T>
class Kept {
public:
    T Take() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (kept_.empty()) return T{};
        T taken = std::move(kept_.back());
        kept_.pop_back();
        return taken;
    }
    void Give(T given) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (kept_.size() < kKept) kept_.push_back(std::move(given));
    }

private:
    static constexpr std::size_t kKept = 4;
    std::mutex mutex_;
    std::vector<T> kept_;
};

Kept<std::unique_ptr<PictureState>>& States() {
    static Kept<std::unique_ptr<PictureState>> kept;
    return kept;
}

// The most pixels a band has: a picture's fit the working block (and a third
// of the bitmap block), a frame's the decoded block, both kFileBufferSize.
constexpr std::size_t kLargestBand = kFileBufferSize;

// A band's picture and mask, held by its dataset until it closes.
struct BandBuffers {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> mask;
};

// Never destroyed: GDAL closes the datasets still open when it shuts down,
// which may come after this library's statics are gone.
Kept<BandBuffers>& BandBuffersKept() {
    static auto* kept = new Kept<BandBuffers>;
    return *kept;
}

}  // namespace

PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options) {
    // A load that throws may leave its state half written: it is dropped,
    // not given back.
    std::unique_ptr<PictureState> kept = States().Take();
    if (!kept) kept = std::make_unique<PictureState>();
    PictureState& state = *kept;
    ChainSettings chain = options.chain;
    if (options.frame) chain.compressMissingLines = 0;
    chain.bitmap = false;
    // Through GDAL's file layer, so that every GDAL path reaches the load,
    // straight into the load's block.
    RenderPictureRead(
        state, [&path](std::span<std::uint8_t> block) { return ReadVirtualFile(path, block).size(); }, path, chain,
        options.asName.empty() ? PictureNameOf(path) : options.asName);
    PictureBand band;
    BandBuffers buffers = BandBuffersKept().Take();
    band.picture.pixels = std::move(buffers.pixels);
    band.mask = std::move(buffers.mask);
    // Room for the largest band at once: only the pages a picture fills are
    // ever touched, and a larger picture than the last does not move the band
    // to fresh memory.
    band.picture.pixels.reserve(kLargestBand);
    band.mask.reserve(kLargestBand);
    if (options.frame) {
        FrameOf(state, path, band);
    } else {
        GreyFromBitmap(state, band.picture);
        band.maskLater = MaskMakings{ShownGeometryOf(state, !chain.original), state.DecodedRows};
    }
    band.facts = FactsOf(state, options);
    band.warnings = LoadWarnings(state);
    States().Give(std::move(kept));
    return band;
}

void KeepBandBuffers(std::vector<std::uint8_t>&& pixels, std::vector<std::uint8_t>&& mask) {
    if (pixels.capacity() == 0 && mask.capacity() == 0) return;
    BandBuffersKept().Give({std::move(pixels), std::move(mask)});
}

}  // namespace orbalux::gdal
