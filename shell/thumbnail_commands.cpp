// The thumbnail strip docked in the main window, following the list and the
// folder, and a click on one of its entries.
#include "shell/thumbnail_commands.h"

#include <QAction>
#include <QMainWindow>
#include <QSettings>

#include "shell/folder_watch.h"
#include "shell/native_names.h"
#include "shell/thumbnail_strip.h"

namespace {
constexpr const char* kThumbnailsShown = "view/thumbnails";

// The program names its settings in main.
QSettings Settings() { return QSettings(); }
}  // namespace

TThumbnailCommands::TThumbnailCommands(QMainWindow& frame, orbalux::BrowsingSession& session, TCounterControl& counter,
                                       QAction* thumbnailsItem, std::function<bool(int)> goTo,
                                       std::function<bool(const QString&)> open)
    : session_(session),
      counter_(counter),
      thumbnailsItem_(thumbnailsItem),
      goTo_(std::move(goTo)),
      open_(std::move(open)) {
    strip_ = new TThumbnailStrip(&frame);
    // Where the user left it last run, and as high (or wide) as it was.
    const Qt::DockWidgetArea area = TThumbnailStrip::RememberedArea();
    frame.addDockWidget(area, strip_);
    if (const int extent = TThumbnailStrip::RememberedExtent(); extent > 0) strip_->RestoreExtent(extent);
    connect(strip_, &TThumbnailStrip::entryChosen, this, [this](const std::string& name) { Chosen(name); });

    // Files added, removed or changed in the folder: the list, the counter
    // and the strip follow; the shown picture stays until the user moves.
    watch_ = new TFolderWatch(&frame);
    watch_->setObjectName("FolderWatch");
    connect(watch_, &TFolderWatch::changed, this, [this] {
        const bool listChanged = session_.RefreshList();
        // Looked at again even when the names stay: a file changed in place
        // is made again.
        strip_->SetList(session_.Folder(), session_.FileList());
        listShown_ = session_.ListVersion();
        strip_->SetCurrent(session_.PictureShown() ? session_.FileListPos() : 0);
        if (listChanged) {
            counter_.Update();
            FollowFolder();
        }
    });
    const bool shown = Settings().value(kThumbnailsShown, true).toBool();
    strip_->setVisible(shown);
    thumbnailsItem_->setChecked(shown);
}

void TThumbnailCommands::FileListChanged() {
    ShowList();
    FollowFolder();
}

// A step can change the list too: leaving an entry whose file went drops it.
void TThumbnailCommands::ShownPositionChanged(int) { ShowList(); }

void TThumbnailCommands::ShowList() {
    // A closed picture leaves the strip as it was, for a click to open from.
    if (session_.PictureShown() && session_.ListVersion() != listShown_) {
        strip_->SetList(session_.Folder(), session_.FileList());
        listShown_ = session_.ListVersion();
    }
    strip_->SetCurrent(session_.PictureShown() ? session_.FileListPos() : 0);
}

void TThumbnailCommands::FollowFolder() { watch_->Follow(session_.Folder(), session_.FileList()); }

void TThumbnailCommands::Toggle() {
    const bool show = strip_->isHidden();
    strip_->setVisible(show);
    thumbnailsItem_->setChecked(show);
    Settings().setValue(kThumbnailsShown, show);
}

void TThumbnailCommands::Chosen(const std::string& name) {
    const int position = session_.PositionOf(name);
    if (position == 0) {
        // Gone from the list since the strip was drawn: show the list as it is.
        ShowList();
        return;
    }
    if (session_.PictureShown()) {
        goTo_(position);
        return;
    }
    // With no picture shown, the entry opens as if chosen in the open dialog.
    open_(FromNative(session_.Folder() + name));
}
