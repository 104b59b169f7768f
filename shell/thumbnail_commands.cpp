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
    if (const int extent = TThumbnailStrip::RememberedExtent(); extent > 0) {
        const bool column = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
        frame.resizeDocks({strip_}, {extent}, column ? Qt::Horizontal : Qt::Vertical);
    }
    connect(strip_, &TThumbnailStrip::entryChosen, this, [this](int position) { Chosen(position); });

    // Files added, removed or changed in the folder: the list, the counter
    // and the strip follow; the shown picture stays until the user moves.
    watch_ = new TFolderWatch(&frame);
    watch_->setObjectName("FolderWatch");
    connect(watch_, &TFolderWatch::changed, this, [this] {
        const bool listChanged = session_.RefreshList();
        strip_->SetList(session_.Folder(), session_.FileList());
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
    if (session_.PictureShown()) strip_->SetList(session_.Folder(), session_.FileList());
    strip_->SetCurrent(session_.PictureShown() ? session_.FileListPos() : 0);
    FollowFolder();
}

void TThumbnailCommands::ShownPositionChanged(int position) { strip_->SetCurrent(position); }

void TThumbnailCommands::FollowFolder() { watch_->Follow(session_.Folder(), session_.FileList()); }

void TThumbnailCommands::Toggle() {
    const bool show = strip_->isHidden();
    strip_->setVisible(show);
    thumbnailsItem_->setChecked(show);
    Settings().setValue(kThumbnailsShown, show);
}

void TThumbnailCommands::Chosen(int position) {
    if (session_.PictureShown()) {
        goTo_(position);
        return;
    }
    // With no picture shown, the entry opens as if chosen in the open dialog.
    if (position < 1 || position > session_.FileListCount()) return;
    open_(FromNative(session_.Folder() + session_.FileList()[static_cast<std::size_t>(position - 1)]));
}
