// The browsing commands on the picture state: each runs to its end, and a
// failure leaves the shown picture, the list and the place in it as they were.
#include "session/browsing_session.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "intake/file_list.h"
#include "intake/picture_file.h"
#include "load/load_sequence.h"
#include "load/load_warnings.h"
#include "session/foreground_work.h"

namespace orbalux {

namespace {

// Open's despeckle geometry, kept so that a failed Open leaves it as it was.
struct SpeckleGeometry {
    int stride, lines;
    std::uint8_t bright, dark;
    explicit SpeckleGeometry(const PictureState& s)
        : stride(s.FrameStride), lines(s.FrameLines), bright(s.SpeckleBrightDelta), dark(s.SpeckleDarkDelta) {}
    void Restore(PictureState& s) const {
        s.FrameStride = stride;
        s.FrameLines = lines;
        s.SpeckleBrightDelta = bright;
        s.SpeckleDarkDelta = dark;
    }
};

// An option flag is 0 or 1; anything but 0 counts as set and turns to 0.

}  // namespace

BrowsingSession::BrowsingSession() = default;

std::string BrowsingSession::ShownName() const { return FileNamePart(shownPath_); }

std::string BrowsingSession::CounterText() const {
    if (!shown_) return "0/0";
    return std::to_string(fileListPos_) + "/" + std::to_string(FileListCount());
}

Outcome BrowsingSession::Attempt(const std::function<void()>& command) {
    const ForegroundWork foreground;  // the thumbnails wait
    lastError_.reset();
    try {
        command();
    } catch (const OrbaluxError& e) {
        lastError_ = e;
        return Outcome::Failed;
    } catch (const std::exception& e) {
        // Memory exhausted and the like: the command ends with the reason.
        lastError_ = OrbaluxError(ErrorKind::Failed, state_.CurrentFileName, e.what());
        return Outcome::Failed;
    }
    return Outcome::Done;
}

Outcome BrowsingSession::Open(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error) ? OpenFolder(path) : OpenFile(path);
}

Outcome BrowsingSession::OpenFolder(const std::string& folder) {
    const std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<std::string> names;
    if (Attempt([&] { names = ListPictureFiles(dir); }) == Outcome::Failed) return Outcome::Failed;
    std::optional<OrbaluxError> first;
    // The list holds regular files only.
    for (const std::string& name : names) {
        if (OpenFile(dir + name) == Outcome::Done) return Outcome::Done;
        if (!first) first = lastError_;
    }
    lastError_ = first ? *first : OrbaluxError(ErrorKind::NotAPicture, folder, "no picture files in this folder");
    return Outcome::Failed;
}

Outcome BrowsingSession::OpenFile(const std::string& path) {
    const SpeckleGeometry before(state_);
    const Outcome outcome = Attempt([&] {
        SetOpenDespeckleGeometry(state_);
        LoadPicture(state_, path);
    });
    if (outcome == Outcome::Failed) {
        before.Restore(state_);
        return outcome;
    }
    state_.FileDir = DirectoryPart(path);
    // A folder that cannot be listed leaves the picture shown with an empty
    // list, and says why (ListingError).
    listingError_.reset();
    try {
        fileList_ = ListPictureFiles(state_.FileDir);
    } catch (const OrbaluxError& e) {
        fileList_.clear();
        listingError_ = e;
    }
    ++listVersion_;
    fileListPos_ = FindListPosition(fileList_, state_.CurrentFileName);
    scanPause_ = 2000;
    scanning_ = false;
    shown_ = true;
    shownGone_ = false;
    entryFailure_.reset();
    wholeChain_ = true;
    shownPath_ = path;
    warnings_ = LoadWarnings(state_);
    return outcome;
}

Outcome BrowsingSession::GoTo(int position) {
    skipped_.clear();
    if (!shown_ || position < 1 || position > FileListCount() || position == fileListPos_) return Outcome::Unchanged;
    const std::string path = state_.FileDir + fileList_[static_cast<std::size_t>(position - 1)];
    // LoadPicture leaves the state as it was when the file cannot be read or
    // holds no picture: the last picture stays at hand, but the place moves
    // to the bad entry, so that the next step goes on past it.
    const Outcome outcome = Attempt([&] { LoadPicture(state_, path); });
    MovePlace(position);
    shownPath_ = path;
    if (outcome != Outcome::Done) {
        entryFailure_ = lastError_;
        warnings_.clear();
        return Outcome::BadEntry;
    }
    entryFailure_.reset();
    wholeChain_ = true;
    warnings_ = LoadWarnings(state_);
    return outcome;
}

int BrowsingSession::PositionOf(const std::string& name) const {
    const auto it = std::find(fileList_.begin(), fileList_.end(), name);
    return it == fileList_.end() ? 0 : static_cast<int>(it - fileList_.begin()) + 1;
}

void BrowsingSession::MovePlace(int position) {
    if (shownGone_ && fileListPos_ > 0) {
        fileList_.erase(fileList_.begin() + (fileListPos_ - 1));
        ++listVersion_;
        if (position > fileListPos_) --position;
        shownGone_ = false;
    }
    fileListPos_ = position;
}

bool BrowsingSession::RefreshList() {
    if (state_.FileDir.empty()) return false;
    std::vector<std::string> fresh;
    try {
        fresh = ListPictureFiles(state_.FileDir);
    } catch (const OrbaluxError&) {
        return false;  // a folder that cannot be read now keeps the list it had
    }
    const std::string shownEntry =
        fileListPos_ > 0 ? fileList_[static_cast<std::size_t>(fileListPos_ - 1)] : std::string();
    bool gone = false;
    if (shown_ && !shownEntry.empty() && !std::binary_search(fresh.begin(), fresh.end(), shownEntry)) {
        // Its picture stays on screen until the user moves: so does its entry.
        fresh.insert(std::lower_bound(fresh.begin(), fresh.end(), shownEntry), shownEntry);
        gone = true;
    }
    shownGone_ = gone;
    if (fresh == fileList_) return false;
    fileList_ = std::move(fresh);
    ++listVersion_;
    if (!shownEntry.empty())
        fileListPos_ = static_cast<int>(std::lower_bound(fileList_.begin(), fileList_.end(), shownEntry) -
                                        fileList_.begin()) + 1;
    else if (shown_)
        fileListPos_ = FindListPosition(fileList_, ShownName());
    return true;
}

void BrowsingSession::Close() {
    shown_ = false;
    entryFailure_.reset();
    scanning_ = false;
    warnings_.clear();
}

void BrowsingSession::StartScan(ScanDirection direction) {
    if (!shown_) return;
    direction_ = direction;
    scanning_ = direction != ScanDirection::None;
    if (scanning_) lastStarted_ = direction;
}

void BrowsingSession::ToggleScan() {
    if (scanning_)
        StopScan();
    else
        StartScan(lastStarted_);
}

void BrowsingSession::StopScan() {
    scanning_ = false;
    direction_ = ScanDirection::None;
}

Outcome BrowsingSession::ScanStep() {
    skipped_.clear();
    if (!scanning_) return Outcome::Unchanged;
    const int step = direction_ == ScanDirection::Forward ? 1 : -1;
    // Entries that fail are passed over within the tick; the walk ends at
    // the list's end, so it never takes more than one round of the list.
    for (int target = fileListPos_ + step; target >= 1 && target <= FileListCount(); target += step) {
        const std::string path = state_.FileDir + fileList_[static_cast<std::size_t>(target - 1)];
        if (Attempt([&] { LoadPicture(state_, path); }) == Outcome::Done) {
            entryFailure_.reset();
            MovePlace(target);
            shownPath_ = path;
            wholeChain_ = true;
            warnings_ = LoadWarnings(state_);
            return Outcome::Done;
        }
        skipped_.push_back(*lastError_);
    }
    // At an end, or nothing left that loads (Skipped() names what failed):
    // the scan ends on the last picture it showed.
    scanning_ = false;
    return Outcome::Unchanged;
}

bool BrowsingSession::ToggleMenuOption(const DisplayOptionRow& row) {
    SetMenuOption(state_, row, !MenuOptionOn(state_, row));
    return MenuOptionOn(state_, row);
}

Outcome BrowsingSession::Render(const std::function<void(PictureState&)>& change) {
    if (!PictureUsable()) return Outcome::Unchanged;
    const Outcome outcome = Attempt([&] { ReprocessPicture(state_, change); });
    if (outcome == Outcome::Done) wholeChain_ = true;
    return outcome;
}

Outcome BrowsingSession::ToggleShownOption(const DisplayOptionRow& row) {
    if (row.kind != SwitchKind::ChainFlag) return Outcome::Unchanged;
    // The catalogue's Stretch turned on clears the picture's own stretches.
    return Render([&row](PictureState& s) { SetChainFlag(s.ActiveOptions, row.flag, s.ActiveOptions.*row.flag == 0); });
}

bool BrowsingSession::ToggleMenuStretch(const PictureStretchRow& row) {
    SetChainFlag(state_.MenuOptions, row.flag, state_.MenuOptions.*row.flag == 0);
    return state_.MenuOptions.*row.flag == 1;
}

Outcome BrowsingSession::ToggleShownStretch(const PictureStretchRow& row) {
    return Render([&row](PictureState& s) { SetChainFlag(s.ActiveOptions, row.flag, s.ActiveOptions.*row.flag == 0); });
}

ChainSettings BrowsingSession::MenuSettings() const {
    ChainSettings settings;
    settings.menu = state_.MenuOptions;
    settings.horizontalStretch = state_.HorizontalStretchOn;
    settings.compressMissingLines = state_.CompressMissingLines;
    settings.lowPercentile = state_.LowPercentile;
    settings.highPercentile = state_.HighPercentile;
    return settings;
}

ChainSettings BrowsingSession::ShownSettings() const {
    ChainSettings settings = MenuSettings();
    settings.menu = state_.ActiveOptions;
    settings.brightness = state_.BrightnessLevel;
    settings.contrast = state_.ContrastLevel;
    settings.original = !wholeChain_;
    return settings;
}

Outcome BrowsingSession::SetPercentiles(double low, double high) {
    if (!PercentilesValid(low, high)) {
        lastError_ = OrbaluxError(ErrorKind::BadOption, "",
                                  "The percentiles must lie from 0 to 100, the low one below the high one: " +
                                      PercentilesText(low, high));
        return Outcome::Failed;
    }
    const auto set = [low, high](PictureState& s) {
        s.LowPercentile = low;
        s.HighPercentile = high;
    };
    // Only a picture that a percentile stretch made is drawn again.
    if (!PictureUsable() || state_.ActiveOptions.PercentStretch != 1) {
        set(state_);
        return Outcome::Unchanged;
    }
    return Render(set);
}

Outcome BrowsingSession::StepLevel(int PictureState::*level, int delta) {
    return Render([level, delta](PictureState& s) { s.*level += delta; });
}

Outcome BrowsingSession::ShowOriginal() {
    if (!PictureUsable()) return Outcome::Unchanged;
    const Outcome outcome = Attempt([&] { ShowOriginalImage(state_); });
    if (outcome == Outcome::Done) wholeChain_ = false;
    return outcome;
}

std::string BrowsingSession::ProposedSavePath() const {
    const std::string folder = lastSaveFolder_.empty() ? DirectoryPart(shownPath_) : lastSaveFolder_;
    return folder + ShownName() + "." + std::string(SaveExtension(lastSaveFormat_));
}

bool BrowsingSession::IsListedPicture(const std::string& path) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(path, ec)) return false;
    for (const std::string& name : fileList_) {
        if (fs::equivalent(path, state_.FileDir + name, ec)) return true;
    }
    return false;
}

Outcome BrowsingSession::SavePicture(const SaveTarget& target) {
    if (!PictureUsable()) return Outcome::Unchanged;
    if (IsListedPicture(target.path)) {
        lastError_ = OrbaluxError(ErrorKind::Unwritable, target.path, "is a picture file of the volume and is never written over");
        return Outcome::Failed;
    }
    const Outcome outcome = Attempt([&] { WritePictureFile(state_, target.path, target.format); });
    if (outcome == Outcome::Done) {
        lastSaveFolder_ = DirectoryPart(target.path);
        lastSaveFormat_ = target.format;
    }
    return outcome;
}

}  // namespace orbalux
