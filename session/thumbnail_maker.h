// The worker threads that make the thumbnails of a directory list in the
// background, so that the window never waits for one. Each worker loads with
// its own picture state; a finished thumbnail, or the reason a picture could
// not be made, is handed to `deliver` on the worker's thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "session/file_stamp.h"
#include "session/thumbnail_schedule.h"
#include "state/grey_image.h"
#include "state/picture_state.h"

namespace orbalux {

struct MadeThumbnail {
    std::uint64_t list = 0;  // the SetList call it was asked by
    int index = 0;           // 0-based place in that list
    std::string path;
    std::optional<FileStamp> stamp;  // the file's, taken before it was read
    GreyImage picture;               // empty when it failed
    std::string failure;             // why, when it failed
};

class ThumbnailMaker {
public:
    // Turns the file at a path into its thumbnail; throws on failure.
    using Render = std::function<GreyImage(PictureState&, const std::string& path)>;
    using Deliver = std::function<void(MadeThumbnail)>;

    ThumbnailMaker(int workers, Render render, Deliver deliver);
    // Waits for the pictures in hand; the rest are dropped.
    ~ThumbnailMaker();
    ThumbnailMaker(const ThumbnailMaker&) = delete;
    ThumbnailMaker& operator=(const ThumbnailMaker&) = delete;

    // A new list to work through, replacing the last; `wanted[i]` false
    // skips entry i. Returns the number its thumbnails are delivered with.
    std::uint64_t SetList(std::vector<std::string> paths, std::vector<bool> wanted);
    void SetView(int first, int last);
    // While paused no new picture is started.
    void SetPaused(bool paused);

private:
    void Work(std::stop_token stop);

    Render render_;
    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    ThumbnailSchedule schedule_;
    std::vector<std::string> paths_;
    std::uint64_t list_ = 0;
    bool paused_ = false;
    std::vector<std::jthread> workers_;  // last: they start once the rest exists
};

// The thumbnail of a list entry: the picture as a plain load shows it, the
// narrow formats widened to their true proportions, cut to the picture's own
// columns, its longer side `longSide` pixels.
GreyImage ListThumbnail(PictureState& state, const std::string& path, int longSide);

}  // namespace orbalux
