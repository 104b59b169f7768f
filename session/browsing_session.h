// The browser's logic without a window: the shown picture and its state, the
// directory list and the place in it, the timed scan's direction and pause,
// the display options, Save As's names, and what went wrong in the last
// command. The window's handlers call it and then set their widgets; tests
// and the thumbnail strip drive it the same way.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

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
    // What the load of the shown picture had to say: a file cut short, a
    // name the catalogue does not list. Empty without a picture.
    const std::vector<std::string>& Warnings() const { return warnings_; }
    // Why the last command failed; cleared by each command that loads,
    // redisplays or saves.
    const std::optional<OrbaluxError>& LastError() const { return lastError_; }

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

    // ---- Loads ---------------------------------------------------------------
    // Loads `path` (a native path), lists its folder and finds its place,
    // sets the scan pause back to 2 seconds and stops a running scan. A
    // picture already shown is replaced; on failure it stays as it was.
    Outcome Open(const std::string& path);
    // Entry `position` (1-based) of the list, loaded with the menu defaults.
    // Unchanged without a picture, off the list, or at the shown position;
    // the position moves only when the load succeeds.
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
    bool Scanning() const { return scanning_; }
    ScanDirection Direction() const { return direction_; }
    int ScanPause() const { return scanPause_; }  // milliseconds
    void SetScanPause(int milliseconds) { scanPause_ = milliseconds; }
    // One tick: the next entry in the scan's direction. At an end, and when
    // the load fails, the scan stops (the direction stays).
    Outcome ScanStep();

    // ---- Display options -----------------------------------------------------
    // Flips an option's menu default for the next load; returns it (on/off).
    bool ToggleMenuOption(const DisplayOptionRow& row);
    // Flips a chain flag on the shown picture and renders it again.
    Outcome ToggleShownOption(const DisplayOptionRow& row);
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
    Outcome Attempt(const std::function<void()>& command);
    Outcome Render(const std::function<void(PictureState&)>& change);

    PictureState state_;
    bool shown_ = false;
    bool wholeChain_ = true;
    std::string shownPath_;
    std::vector<std::string> warnings_;
    std::optional<OrbaluxError> lastError_;

    std::vector<std::string> fileList_;
    std::optional<OrbaluxError> listingError_;
    int fileListPos_ = 0;

    bool scanning_ = false;
    ScanDirection direction_ = ScanDirection::None;
    int scanPause_ = 2000;

    std::string lastSaveFolder_;
    PictureFormat lastSaveFormat_ = PictureFormat::Bmp;
};

}  // namespace orbalux
