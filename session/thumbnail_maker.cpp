#include "session/thumbnail_maker.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>

#include "load/chain_settings.h"
#include "output/grey_picture.h"
#include "session/foreground_work.h"
#include "session/picture_extent.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

// A worker runs ten nice levels below the window's thread, so that a step
// finds a core at once and the thumbnails still come on a busy machine
// (the idle class would starve them there). Linux sets it per thread.
void LowerThisThread() {
    const auto thread = static_cast<id_t>(gettid());
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, thread);
    if (errno == 0) setpriority(PRIO_PROCESS, thread, std::min(now + 10, 19));
}

}  // namespace

ThumbnailMaker::ThumbnailMaker(int workers, Render render, Deliver deliver)
    : render_(std::move(render)), deliver_(std::move(deliver)) {
    for (int i = 0; i < std::max(1, workers); ++i)
        workers_.emplace_back([this](std::stop_token stop) { Work(stop); });
}

ThumbnailMaker::~ThumbnailMaker() {
    for (std::jthread& worker : workers_) worker.request_stop();
    workers_.clear();  // joins
}

std::uint64_t ThumbnailMaker::SetList(std::vector<std::string> paths, std::vector<bool> wanted) {
    std::uint64_t list = 0;
    {
        std::lock_guard lock(mutex_);
        wanted.resize(paths.size(), false);
        paths_ = std::move(paths);
        schedule_.Reset(std::move(wanted));
        list = ++list_;
    }
    wake_.notify_all();
    return list;
}

void ThumbnailMaker::SetView(int first, int last) {
    std::lock_guard lock(mutex_);
    schedule_.SetView(first, last);
}

void ThumbnailMaker::SetPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    wake_.notify_all();
}

void ThumbnailMaker::Work(std::stop_token stop) {
    LowerThisThread();
    PictureState state;
    while (!stop.stop_requested()) {
        // A picture is a few milliseconds' load: none starts while the user
        // waits for one.
        WaitForForegroundWork();
        MadeThumbnail made;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [this] { return !paused_ && schedule_.Remaining() > 0; })) return;
            const std::optional<int> index = schedule_.Take();
            if (!index) continue;
            made.list = list_;
            made.index = *index;
            made.path = paths_[static_cast<std::size_t>(*index)];
        }
        // Taken first: a file that changes while it is read is made again.
        made.stamp = StampOf(made.path);
        try {
            made.picture = render_(state, made.path);
        } catch (const OrbaluxError& e) {
            made.failure = e.reason();
        } catch (const std::exception& e) {
            made.failure = e.what();
        }
        if (stop.stop_requested()) return;
        deliver_(std::move(made));
    }
}

GreyImage ListThumbnail(PictureState& state, const std::string& path, int longSide) {
    ChainSettings settings;
    settings.horizontalStretch = 1;
    settings.bitmap = false;  // the grey picture is all a thumbnail takes
    RenderPicture(state, path, settings);
    const GreyImage shown = GreyFromBitmap(state);
    return MakeThumbnail(CutToPicture(shown, ShownGeometryOf(state), state.DecodedRows), longSide);
}

}  // namespace orbalux
