// The main window's side of the thumbnail strip: the dock where it was left,
// the View menu's switch for it (remembered from run to run), the list and
// the highlight following the session and the folder, and a click on an
// entry.
#include <QAction>
#include <QSettings>

#include "shell/FolderWatch.h"
#include "shell/MainUnit.h"
#include "shell/ThumbnailStrip.h"
#include "shell/native_names.h"

namespace {
constexpr const char* kThumbnailsShown = "view/thumbnails";

// The program names its settings in main.
QSettings Settings() { return QSettings(); }
}  // namespace

void TMainForm::BuildThumbnailStrip() {
    ThumbnailStrip_ = new TThumbnailStrip(this);
    // Where the user left it last run, and as high (or wide) as it was.
    const Qt::DockWidgetArea area = TThumbnailStrip::RememberedArea();
    addDockWidget(area, ThumbnailStrip_);
    if (const int extent = TThumbnailStrip::RememberedExtent(); extent > 0) {
        const bool column = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
        resizeDocks({ThumbnailStrip_}, {extent}, column ? Qt::Horizontal : Qt::Vertical);
    }
    connect(ThumbnailStrip_, &TThumbnailStrip::entryChosen, this, &TMainForm::ThumbnailChosen);
    // A closed picture leaves the list in the strip, unlit, so that a click
    // opens one of it again.
    connect(this, &TMainForm::fileListChanged, this, [this] {
        if (session_.PictureShown()) ThumbnailStrip_->SetList(session_.Folder(), session_.FileList());
        ThumbnailStrip_->SetCurrent(session_.PictureShown() ? session_.FileListPos() : 0);
    });
    connect(this, &TMainForm::shownPositionChanged, ThumbnailStrip_, &TThumbnailStrip::SetCurrent);

    // Files added, removed or changed in the folder: the list, the counter
    // and the strip follow; the shown picture stays until the user moves.
    auto* watch = new TFolderWatch(this);
    watch->setObjectName("FolderWatch");
    const auto follow = [this, watch] { watch->Follow(session_.Folder(), session_.FileList()); };
    connect(this, &TMainForm::fileListChanged, watch, follow);
    connect(watch, &TFolderWatch::changed, this, [this, follow] {
        const bool listChanged = session_.RefreshList();
        ThumbnailStrip_->SetList(session_.Folder(), session_.FileList());
        ThumbnailStrip_->SetCurrent(session_.PictureShown() ? session_.FileListPos() : 0);
        if (listChanged) {
            UpdateCounter();
            follow();
        }
    });
    const bool shown = Settings().value(kThumbnailsShown, true).toBool();
    ThumbnailStrip_->setVisible(shown);
    MenuItem("Thumbnails1")->setChecked(shown);
}

void TMainForm::Thumbnails1Click() {
    const bool show = ThumbnailStrip_->isHidden();
    ThumbnailStrip_->setVisible(show);
    MenuItem("Thumbnails1")->setChecked(show);
    Settings().setValue(kThumbnailsShown, show);
}

void TMainForm::ThumbnailChosen(int position) {
    if (session_.PictureShown()) {
        GoToEntry(position);
        return;
    }
    // With no picture shown, the entry opens as if chosen in the open dialog.
    if (position < 1 || position > session_.FileListCount()) return;
    OpenPath(FromNative(session_.Folder() + session_.FileList()[static_cast<std::size_t>(position - 1)]));
}
