// Open, the load of a list entry, and closing the picture.
#include "shell/picture_loading.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMdiArea>
#include <QScrollArea>
#include <QStatusBar>
#include <QStringList>

#include "shell/InfoUnit.h"
#include "shell/dialog_seam.h"
#include "shell/elided_label.h"
#include "shell/native_names.h"
#include "shell/thumbnail_strip.h"
#include "state/orbalux_error.h"
#include "state/path_parts.h"

using orbalux::Outcome;

TPictureLoading::TPictureLoading(const LoadingParts& parts) : p_(parts) {}

void TPictureLoading::Open() {
    std::optional<QString> chosen;
    {
        const TScanControl::Wait wait(p_.scan);
        chosen = p_.seam.openFileName(&p_.frame, DialogPath(p_.session.ShownPath()));
    }
    if (!chosen || chosen->isEmpty()) return;
    OpenPath(*chosen);
}

bool TPictureLoading::OpenPath(const QString& chosen) {
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (p_.session.Open(ToNative(path)) != Outcome::Done) {
        p_.report.ReportLastError();
        return false;
    }
    p_.commands.SetScanPause(p_.session.ScanPause());
    p_.scan.Sync();
    if (!p_.child) {
        auto* child = new TChild;
        p_.mdiArea->addSubWindow(child);
        p_.child = child;
        p_.tools.Attach(child);
        child->showMaximized();
        connect(child, &TChild::closed, this, &TPictureLoading::ImageWindowClosed);
        // Tab goes from the tool bar and the counter to the picture, then
        // to the strip.
        child->ScrollArea()->setFocusPolicy(Qt::StrongFocus);
        QWidget::setTabOrder(p_.commands.Counter(), child->ScrollArea());
        QWidget::setTabOrder(child->ScrollArea(), p_.strip->View());
    }
    ShowLoadedEntry();
    if (!p_.child) return false;
    p_.commands.SetPictureCommands(true);
    emit fileListChanged();
    emit shownPositionChanged(p_.session.FileListPos());
    // The picture stays shown; Next and Previous have no list to go by.
    if (p_.session.ListingError()) p_.report.ReportError(*p_.session.ListingError());
    return true;
}

bool TPictureLoading::GoToEntry(int position) {
    const Outcome outcome = p_.session.GoTo(position);
    Shown(outcome);
    return outcome == Outcome::Done;
}

void TPictureLoading::Shown(Outcome outcome) {
    p_.scan.Sync();
    // The entries a scan step passed over, named where they do not stop it.
    QStringList skipped;
    for (const orbalux::OrbaluxError& e : p_.session.Skipped())
        skipped << QString("%1: %2").arg(FromNative(std::string(orbalux::FileNameOf(e.file()))),
                                         FromNative(e.reason()));
    if (!skipped.isEmpty()) p_.frame.statusBar()->showMessage("Skipped " + skipped.join("; "), p_.session.ScanPause());
    if (outcome == Outcome::Done) {
        ShowLoadedEntry();
        p_.commands.SetPictureCommands(true);
        emit shownPositionChanged(p_.session.FileListPos());
    } else if (outcome == Outcome::BadEntry) {
        // No box: the reason stands in the picture's place, the place moves
        // on, and the next step goes past it.
        const orbalux::OrbaluxError& failure = *p_.session.EntryFailure();
        const QString name = FromNative(p_.session.ShownName());
        p_.child->ShowFailure(name, FromNative(failure.reason()));
        p_.child->setWindowTitle(name);
        p_.commands.SetPictureCommands(true);
        p_.counter.Show();
        ShowLoadWarnings();
        p_.tools.Clear();
        p_.strip->MarkFailed(p_.session.ShownPath(), FromNative(failure.reason()));
        emit shownPositionChanged(p_.session.FileListPos());
    } else if (outcome == Outcome::Failed) {
        p_.report.ReportLastError();
    }
}

void TPictureLoading::ShowLoadedEntry() {
    try {
        p_.show.Show();
    } catch (const orbalux::OrbaluxError& e) {
        p_.report.ReportError(e);
        // A window that never showed a picture goes again.
        if (!p_.child->Picture().isNull()) return;
        p_.child->close();
        return;
    }
    p_.child->setWindowTitle(FromNative(p_.session.ShownName()));
    p_.options.Sync();
    p_.counter.Update();
    RefreshHeaderLines();
    ShowLoadWarnings();
}

void TPictureLoading::RefreshHeaderLines() {
    p_.infoBox->SetHeaderLines(p_.session.State().HeaderLines);
    p_.infoBox->SetLostLineCount(p_.session.State().LostLineCount);
}

void TPictureLoading::ShowLoadWarnings() {
    QStringList warnings;
    for (const std::string& w : p_.session.Warnings()) warnings << QString::fromStdString(w);
    SetStatusText(p_.warningStatus, warnings.join("; "));
}

void TPictureLoading::Close() {
    if (p_.child) p_.child->close();
}

void TPictureLoading::ImageWindowClosed() {
    p_.child = nullptr;
    emit pictureClosing();
    p_.session.Close();
    p_.commands.SetPictureCommands(false);
    p_.scan.Sync();
    p_.counter.Show();
    ShowLoadWarnings();
    p_.tools.Clear();
    emit fileListChanged();
}
