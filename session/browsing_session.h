// The browser's logic without a window: the shown picture and its state, the
// directory list and the place in it, the timed scan's direction and pause,
// the display options, Save As's names, and what went wrong in the last
// command. The window's handlers call it and then set their widgets; tests
// and the thumbnail strip drive it the same way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "load/chain_settings.h"
#include "output/picture_writer.h"
#include "processing/display_options.h"
#include "session/save_target.h"
#include "state/orbalux_error.h"
#include "state/picture_state.h"

namespace orbalux {

// What a command did to the shown picture.
enum class Outcome {
    Unchanged,  // nothing to do (at an end of the list, no picture): all stays
    Done,       // a new picture or a new rendering of it is in BitmapBuffer, or
                // the file is written
    Failed,     // LastError() says why; the picture, list and position stay
    BadEntry,   // the place moved to an entry that cannot be shown:
                // EntryFailure() says why, and no picture goes with it
};

enum class ScanDirection { None = 0, Forward = 1, Backward = 2 };

class BrowsingSession {
public:
    BrowsingSession();

    // ---- The shown picture -------------------------------------------------
    const PictureState& State() const { return state_; }
    bool PictureShown() const { return shown_; }
    // The file shown (the last one loaded; kept after Close for the next
    // open dialog to propose), and its name without directory.
    const std::string& ShownPath() const { return shownPath_; }
    std::string ShownName() const;
    // False after "Original Image", which runs none of the chain's stages.
    bool WholeChainShown() const { return wholeChain_; }
    // The shown picture's chain as settings that draw another picture the
    // same way (the blink's pinned picture), and the settings the Options and
    // Missing Lines menus give the next load (an exported sequence); both
    // with the percentiles the percentile stretch takes.
    ChainSettings ShownSettings() const;
    ChainSettings MenuSettings() const;
    // What the load of the shown picture had to say: a file cut short, a
    // name the catalogue does not list. Empty without a picture.
    const std::vector<std::string>& Warnings() const { return warnings_; }
    // Why the last command failed; cleared by each command that loads,
    // redisplays or saves.
    const std::optional<OrbaluxError>& LastError() const { return lastError_; }
    // Why the entry at the place in the list cannot be shown; empty while a
    // picture is. The last picture stays in State() but is not the entry's.
    const std::optional<OrbaluxError>& EntryFailure() const { return entryFailure_; }
    // The commands that work on the shown picture (save, print, the options,
    // the header) need one: not without a picture, nor on a bad entry.
    bool PictureUsable() const { return shown_ && !entryFailure_; }

    // ---- The directory list ------------------------------------------------
    // The folder of the last Open, with its trailing separator.
    const std::string& Folder() const { return state_.FileDir; }
    const std::vector<std::string>& FileList() const { return fileList_; }
    // Why the folder of the last Open could not be listed (its list is then
    // empty); none when it was.
    const std::optional<OrbaluxError>& ListingError() const { return listingError_; }
    int FileListCount() const { return static_cast<int>(fileList_.size()); }
    // 1-based place of the shown picture; 0 when it is not in the list.
    int FileListPos() const { return fileListPos_; }
    // "3/57"; "0/0" without a picture.
    std::string CounterText() const;
    // Changes whenever the list does (an Open, the folder changed, a gone
    // entry dropped on a step): a view of the list rebuilds when it differs.
    std::uint64_t ListVersion() const { return listVersion_; }
    // The 1-based place of the entry named `name` exactly; 0 when the list
    // holds no such entry.
    int PositionOf(const std::string& name) const;

    // ---- Loads ---------------------------------------------------------------
    // Loads `path` (a native path), lists its folder and finds its place,
    // sets the scan pause back to 2 seconds and stops a running scan. A
    // picture already shown is replaced; on failure it stays as it was. A
    // folder opens its list's first entry that loads (its subfolders passed
    // over); one without a picture file to show fails with the reason.
    Outcome Open(const std::string& path);
    // Entry `position` (1-based) of the list, loaded with the menu defaults.
    // Unchanged without a picture, off the list, or at the shown position.
    // An entry that cannot be loaded is a bad entry: the place moves to it
    // all the same, so that the next step goes on past it.
    Outcome GoTo(int position);
    Outcome Next() { return GoTo(fileListPos_ + 1); }
    Outcome Previous() { return fileListPos_ < 2 ? Outcome::Unchanged : GoTo(fileListPos_ - 1); }
    Outcome First() { return GoTo(1); }
    Outcome Last() { return GoTo(FileListCount()); }
    // The image window closed: no picture, the scan stopped; the list, the
    // options, the scan direction and pause stay.
    void Close();

    // ---- The timed scan ----------------------------------------------------
    // Starting while a scan runs only changes its direction.
    void StartScan(ScanDirection direction);
    // Scan Stop: no scan, no direction.
    void StopScan();
    // The scan key: stops a running scan, or starts one in the direction
    // last started (forward at first).
    void ToggleScan();
    bool Scanning() const { return scanning_; }
    ScanDirection Direction() const { return direction_; }
    int ScanPause() const { return scanPause_; }  // milliseconds
    void SetScanPause(int milliseconds) { scanPause_ = milliseconds; }
    // One tick: the next entry in the scan's direction that loads. Entries
    // that fail on the way are passed over (Skipped() names them); when
    // every one left up to the end failed, the scan stops on the picture it
    // showed last (Unchanged, the failures named). At an end it stops too,
    // the direction kept.
    Outcome ScanStep();
    // The entries the last scan step passed over, with their reasons; empty
    // after any other step.
    const std::vector<OrbaluxError>& Skipped() const { return skipped_; }

    // ---- The folder changed ----------------------------------------------------
    // Lists the folder again after files came, went or changed. The shown
    // entry keeps its place by name; when its file has gone it stays listed
    // (and shown) until the place moves. A folder that cannot be read keeps
    // the list it had. True when the list changed.
    bool RefreshList();

    // ---- Display options -----------------------------------------------------
    // Flips an option's menu default for the next load; returns it (on/off).
    bool ToggleMenuOption(const DisplayOptionRow& row);
    // Flips a chain flag on the shown picture and renders it again.
    Outcome ToggleShownOption(const DisplayOptionRow& row);
    // The picture's own stretches (the percentile stretch, equalisation):
    // flips a stretch's menu default, or its flag on the shown picture and
    // renders again. One turned on clears the other two stretches.
    bool ToggleMenuStretch(const PictureStretchRow& row);
    Outcome ToggleShownStretch(const PictureStretchRow& row);
    // The percentile stretch's two percentiles, for the next loads and, when
    // a percentile stretch made the shown picture, for it at once (Done).
    // A pair out of order or outside 0..100 changes nothing: Failed.
    Outcome SetPercentiles(double low, double high);
    // Steps a tone level of the shown picture by `delta` and renders again.
    Outcome StepLevel(int PictureState::*level, int delta);
    // The decoded picture without any stage; the next option starts from the
    // whole chain with only that option on.
    Outcome ShowOriginal();

    // ---- Save As ---------------------------------------------------------------
    // The name the save dialog proposes: the picture's name with the
    // extension of the type last saved, in the folder of the last save (at
    // first the picture's own folder).
    std::string ProposedSavePath() const;
    PictureFormat LastSaveFormat() const { return lastSaveFormat_; }
    // True when `path` is a file of the directory list (by whatever name or
    // link it is reached): Save As must not write over it.
    bool IsListedPicture(const std::string& path) const;
    // Writes the shown picture as it is on screen, whole or not at all, and
    // remembers the folder and the type for the next proposal.
    Outcome SavePicture(const SaveTarget& target);

private:
    Outcome OpenFile(const std::string& path);
    Outcome OpenFolder(const std::string& folder);
    Outcome Attempt(const std::function<void()>& command);
    Outcome Render(const std::function<void(PictureState&)>& change);
    // The place moves to `position`, dropping the entry whose file went.
    void MovePlace(int position);

    PictureState state_;
    bool shown_ = false;
    bool wholeChain_ = true;
    std::string shownPath_;
    std::vector<std::string> warnings_;
    std::optional<OrbaluxError> lastError_;
    std::optional<OrbaluxError> entryFailure_;

    std::vector<std::string> fileList_;
    std::optional<OrbaluxError> listingError_;
    int fileListPos_ = 0;
    bool shownGone_ = false;  // the shown entry is listed though its file went
    std::uint64_t listVersion_ = 0;

    bool scanning_ = false;
    ScanDirection direction_ = ScanDirection::None;
    ScanDirection lastStarted_ = ScanDirection::Forward;
    int scanPause_ = 2000;
    std::vector<OrbaluxError> skipped_;

    std::string lastSaveFolder_;
    PictureFormat lastSaveFormat_ = PictureFormat::Bmp;
};

}  // namespace orbalux
