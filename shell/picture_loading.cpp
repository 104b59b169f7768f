// Open, the load of a list entry, closing the picture, and the display of the
// assembled BMP.
#include <algorithm>

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QScrollArea>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QToolButton>

#include "output/screen_image.h"
#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/ThumbnailStrip.h"
#include "shell/dialog_seam.h"
#include "shell/elided_label.h"
#include "shell/full_screen.h"
#include "shell/native_names.h"
#include "state/orbalux_error.h"
#include "state/path_parts.h"

using orbalux::Outcome;

void TMainForm::Open1Click() {
    std::optional<QString> chosen;
    {
        const ScanWait wait(*this);
        chosen = seam_.openFileName(this, FromNative(session_.ShownPath()));
    }
    if (!chosen || chosen->isEmpty()) return;
    OpenPath(*chosen);
}

bool TMainForm::OpenPath(const QString& chosen) {
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (session_.Open(ToNative(path)) != Outcome::Done) {
        ReportLastError();
        return false;
    }
    SetScanPause(session_.ScanPause());
    SyncScan();
    if (!CurrentChild_) {
        auto* child = new TChild;
        mdiArea_->addSubWindow(child);
        CurrentChild_ = child;
        AttachImageWindow(child);
        child->showMaximized();
        connect(child, &TChild::closed, this, &TMainForm::ImageWindowClosed);
        // Tab goes from the tool bar and the counter to the picture, then
        // to the strip.
        child->ScrollArea()->setFocusPolicy(Qt::StrongFocus);
        setTabOrder(Memo1_, child->ScrollArea());
        setTabOrder(child->ScrollArea(), ThumbnailStrip_->View());
    }
    ShowLoadedEntry();
    if (!CurrentChild_) return false;
    SetPictureCommands(true);
    emit fileListChanged();
    emit shownPositionChanged(session_.FileListPos());
    // The picture stays shown; Next and Previous have no list to go by.
    if (session_.ListingError()) ReportError(*session_.ListingError());
    return true;
}

bool TMainForm::GoToEntry(int position) {
    const Outcome outcome = session_.GoTo(position);
    Shown(outcome);
    return outcome == Outcome::Done;
}

void TMainForm::Shown(Outcome outcome) {
    SyncScan();
    // The entries a scan step passed over, named where they do not stop it.
    QStringList skipped;
    for (const orbalux::OrbaluxError& e : session_.Skipped())
        skipped << QString("%1: %2").arg(FromNative(std::string(orbalux::FileNameOf(e.file()))), FromNative(e.reason()));
    if (!skipped.isEmpty()) statusBar()->showMessage("Skipped " + skipped.join("; "), session_.ScanPause());
    if (outcome == Outcome::Done) {
        ShowLoadedEntry();
        SetPictureCommands(true);
        emit shownPositionChanged(session_.FileListPos());
    } else if (outcome == Outcome::BadEntry) {
        // No box: the reason stands in the picture's place, the place moves
        // on, and the next step goes past it.
        const orbalux::OrbaluxError& failure = *session_.EntryFailure();
        const QString name = FromNative(session_.ShownName());
        CurrentChild_->ShowFailure(name, FromNative(failure.reason()));
        CurrentChild_->setWindowTitle(name);
        SetPictureCommands(true);
        ShowCounter();
        ShowLoadWarnings();
        ClearViewingTools();
        ThumbnailStrip_->MarkFailed(session_.FileListPos(), FromNative(failure.reason()));
        emit shownPositionChanged(session_.FileListPos());
    } else if (outcome == Outcome::Failed) {
        ReportLastError();
    }
}

void TMainForm::ShowLoadedEntry() {
    try {
        ShowPicture();
    } catch (const orbalux::OrbaluxError& e) {
        ReportError(e);
        // A window that never showed a picture goes again.
        if (!CurrentChild_->Picture().isNull()) return;
        CurrentChild_->close();
        return;
    }
    CurrentChild_->setWindowTitle(FromNative(session_.ShownName()));
    SyncOptionButtons();
    UpdateCounter();
    RefreshHeaderLines();
    ShowLoadWarnings();
}

void TMainForm::UpdateCounter() {
    // A position being typed into the box is not overwritten by a scan step.
    if (Memo1_->hasFocus() && Memo1_->isModified()) return;
    ShowCounter();
}

// Setting the text also marks it as not typed.
void TMainForm::ShowCounter() { Memo1_->setText(QString::fromStdString(session_.CounterText())); }

void TMainForm::CounterEntered() {
    bool number = false;
    const QString typed = Memo1_->text().trimmed();
    const int position = typed.toInt(&number);
    const int count = session_.FileListCount();
    if (number && position >= 1 && position <= count) {
        GoToEntry(position);
    } else if (typed != QString::fromStdString(session_.CounterText())) {
        // Refused, with a word: the counter shows the place again.
        statusBar()->showMessage(count == 0 ? QString("No list to go to")
                                            : QString("No entry %1: the list holds 1 to %2").arg(typed).arg(count),
                                 5000);
    }
    ShowCounter();
    // Back to the picture, where the arrow keys step again.
    if (CurrentChild_) CurrentChild_->setFocus();
}

void TMainForm::ShowPicture(bool wholeChain) {
    // The screen image straight from the grey picture that the BMP holds,
    // rather than parsed back out of the BMP.
    QImage picture(state_.ImageWidth, state_.ImageHeight, QImage::Format_RGB32);
    if (picture.isNull() || !orbalux::WriteScreenImage(state_, picture.bits(), picture.bytesPerLine()))
        throw orbalux::OrbaluxError(orbalux::ErrorKind::Failed, state_.CurrentFileName, "the picture could not be assembled");
    CurrentChild_->ShowPicture(picture);
    PictureShown(wholeChain);
}

void TMainForm::RefreshHeaderLines() {
    InfoBox_->SetHeaderLines(state_.HeaderLines);
    InfoBox_->SetLostLineCount(state_.LostLineCount);
}

void TMainForm::ShowLoadWarnings() {
    QStringList warnings;
    for (const std::string& w : session_.Warnings()) warnings << QString::fromStdString(w);
    SetStatusText(LoadWarningStatus_, warnings.join("; "));
}

void TMainForm::Close1Click() {
    if (CurrentChild_) CurrentChild_->close();
}

void TMainForm::ImageWindowClosed() {
    CurrentChild_ = nullptr;
    BlinkPictureClosed();
    FullScreen_->Leave();
    session_.Close();
    SetPictureCommands(false);
    SyncScan();
    ShowCounter();
    ShowLoadWarnings();
    ClearViewingTools();
    emit fileListChanged();
}
