// The main window's side of the thumbnail strip: the dock along the bottom,
// the View menu's switch for it (remembered from run to run), the list and
// the highlight following the session, and a click on an entry.
#include <QAction>
#include <QSettings>

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
    addDockWidget(Qt::BottomDockWidgetArea, ThumbnailStrip_);
    connect(ThumbnailStrip_, &TThumbnailStrip::entryChosen, this, &TMainForm::ThumbnailChosen);
    // A closed picture leaves the list in the strip, unlit, so that a click
    // opens one of it again.
    connect(this, &TMainForm::fileListChanged, this, [this] {
        if (session_.PictureShown()) ThumbnailStrip_->SetList(session_.Folder(), session_.FileList());
        ThumbnailStrip_->SetCurrent(session_.PictureShown() ? session_.FileListPos() : 0);
    });
    connect(this, &TMainForm::shownPositionChanged, ThumbnailStrip_, &TThumbnailStrip::SetCurrent);
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
