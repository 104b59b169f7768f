#include "gdal/picture_band.h"

#include <algorithm>
#include <cstring>
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

// A load's working memory: the picture state with its buffers (about 11 MB)
// and the block the file is read into.
struct Workspace {
    PictureState state;
    std::vector<std::uint8_t> bytes;
};

// Workspaces kept between opens. A client that opens picture after picture
// (a Python loop over a volume) would otherwise get the buffers afresh for
// every open, which the allocator hands back to the system in between, and
// pay for faulting in and clearing them each time. A load keeps a state's
// buffers reading as fresh ones, as the converter's workers rely on, so a
// kept state renders every picture as a new one would. Each thread that
// reads takes one of its own; at most kKept wait for the next open.
class WorkspacePool {
public:
    std::unique_ptr<Workspace> Take() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (!kept_.empty()) {
                std::unique_ptr<Workspace> workspace = std::move(kept_.back());
                kept_.pop_back();
                return workspace;
            }
        }
        return std::make_unique<Workspace>();
    }
    void Give(std::unique_ptr<Workspace> workspace) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (kept_.size() < kKept) kept_.push_back(std::move(workspace));
    }

private:
    static constexpr std::size_t kKept = 4;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Workspace>> kept_;
};

WorkspacePool& Pool() {
    static WorkspacePool pool;
    return pool;
}

}  // namespace

PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options) {
    // A load that throws may leave its workspace half written: it is dropped,
    // not given back.
    std::unique_ptr<Workspace> workspace = Pool().Take();
    PictureState& state = workspace->state;
    ChainSettings chain = options.chain;
    if (options.frame) chain.compressMissingLines = 0;
    // Through GDAL's file layer, so that every GDAL path reaches the load.
    ReadVirtualFile(path, kFileBufferSize, workspace->bytes);
    RenderPictureBytes(state, workspace->bytes, path, chain,
                       options.asName.empty() ? PictureNameOf(path) : options.asName);
    PictureBand band;
    if (options.frame) {
        band = FrameOf(state, path);
    } else {
        band.picture = GreyFromBitmap(state);
        band.mask = ShownDataMask(state, !chain.original);
    }
    band.facts = FactsOf(state, options);
    band.warnings = LoadWarnings(state);
    Pool().Give(std::move(workspace));
    return band;
}

}  // namespace orbalux::gdal
