// Blink: a picture pinned beside the one shown, and the two put on screen in
// turn, so that the differences between consecutive frames jump to the eye.
// The pinned picture is drawn under the shown one's display options, so that
// only the pictures differ; the window keeps its zoom and scroll position.
#pragma once

#include <optional>
#include <string>

#include "load/chain_settings.h"
#include "session/browsing_session.h"
#include "state/orbalux_error.h"
#include "state/picture_state.h"

namespace orbalux {

constexpr int kDefaultBlinkInterval = 500;  // milliseconds a picture stays
constexpr int kMinBlinkInterval = 100;
constexpr int kMaxBlinkInterval = 5000;

class BlinkPair {
public:
    // Pins the shown picture (any blink running goes on with the new pin);
    // false without a picture.
    bool Pin(const BrowsingSession& session);
    bool HasPin() const { return !pinnedPath_.empty(); }
    std::string PinnedName() const;

    // Starts blinking with the shown picture on screen; false without a pin
    // or without a picture.
    bool Start(const BrowsingSession& session);
    // Stops with the shown picture on screen; the pin stays.
    void Stop();
    bool Running() const { return running_; }

    // Puts the other picture on screen. The pinned one is drawn again each
    // time under the shown picture's options as they are now (they may have
    // changed since). Without a picture the blink stops (Unchanged); a pinned
    // file that no longer loads stops it too (Failed, LastError says why).
    Outcome Flip(const BrowsingSession& session);
    bool PinnedOnScreen() const { return running_ && pinnedOnScreen_; }
    // The picture to put on screen: the pinned one's rendering or the
    // session's own.
    const PictureState& OnScreen(const BrowsingSession& session) const;
    const std::optional<OrbaluxError>& LastError() const { return lastError_; }

    // The picture window closed: the blink stops and the pin goes.
    void PictureClosed();

    // "Blink: pinned 69_011.001" or "Blink: shown 69_011.002"; empty when
    // no blink runs.
    std::string StatusText(const BrowsingSession& session) const;

    int Interval() const { return interval_; }
    // Kept within 0.1 to 5 seconds.
    void SetInterval(int milliseconds);

private:
    std::string pinnedPath_;
    PictureState pinned_;
    bool running_ = false;
    bool pinnedOnScreen_ = false;
    int interval_ = kDefaultBlinkInterval;
    std::optional<OrbaluxError> lastError_;
};

}  // namespace orbalux
