// Blink: the pinned picture drawn under the shown one's options, put on screen
// in turn with it.
#include "session/blink.h"

#include <algorithm>

#include "intake/picture_file.h"
#include "load/chain_settings.h"

namespace orbalux {

bool BlinkPair::Pin(const BrowsingSession& session) {
    if (!session.PictureShown()) return false;
    pinnedPath_ = session.ShownPath();
    pinnedOnScreen_ = false;
    return true;
}

std::string BlinkPair::PinnedName() const { return FileNamePart(pinnedPath_); }

bool BlinkPair::Start(const BrowsingSession& session) {
    if (!HasPin() || !session.PictureShown()) return false;
    running_ = true;
    pinnedOnScreen_ = false;
    lastError_.reset();
    return true;
}

void BlinkPair::Stop() {
    running_ = false;
    pinnedOnScreen_ = false;
}

Outcome BlinkPair::Flip(const BrowsingSession& session) {
    if (!running_) return Outcome::Unchanged;
    if (!session.PictureShown()) {
        Stop();
        return Outcome::Unchanged;
    }
    if (pinnedOnScreen_) {
        pinnedOnScreen_ = false;
        return Outcome::Done;
    }
    try {
        RenderPicture(pinned_, pinnedPath_, session.ShownSettings());
    } catch (const OrbaluxError& e) {
        lastError_ = e;
        Stop();
        return Outcome::Failed;
    } catch (const std::exception& e) {
        lastError_ = OrbaluxError(ErrorKind::Failed, PinnedName(), e.what());
        Stop();
        return Outcome::Failed;
    }
    pinnedOnScreen_ = true;
    return Outcome::Done;
}

const PictureState& BlinkPair::OnScreen(const BrowsingSession& session) const {
    return PinnedOnScreen() ? pinned_ : session.State();
}

void BlinkPair::PictureClosed() {
    Stop();
    pinnedPath_.clear();
}

std::string BlinkPair::StatusText(const BrowsingSession& session) const {
    if (!running_) return {};
    return PinnedOnScreen() ? "Blink: pinned " + PinnedName() : "Blink: shown " + session.ShownName();
}

void BlinkPair::SetInterval(int milliseconds) {
    interval_ = std::clamp(milliseconds, kMinBlinkInterval, kMaxBlinkInterval);
}

}  // namespace orbalux
