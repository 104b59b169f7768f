// Save As, Print and Print Setup, on the picture as the image window shows it.
// The scan waits while their dialogs are up.
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"
#include "shell/file_filters.h"
#include "shell/native_names.h"
#include "shell/page_painting.h"
#include "session/save_target.h"

using orbalux::Outcome;

void TMainForm::SaveAs1Click() {
    if (!session_.PictureShown()) return;
    const ScanWait wait(*this);
    QString proposed = FromNative(session_.ProposedSavePath());
    QString filter = SaveFilterOf(session_.LastSaveFormat());
    // Back to the dialog until a name is settled or the dialog is cancelled.
    for (;;) {
        const std::optional<SaveChoice> choice = seam_.saveFileName(this, proposed, filter);
        if (!choice || choice->path.isEmpty()) return;
        const orbalux::SaveTarget target =
            orbalux::ResolveSaveTarget(ToNative(choice->path), SaveFormatOf(choice->filter));
        proposed = FromNative(target.path);
        filter = choice->filter;
        if (session_.IsListedPicture(target.path)) {
            seam_.showError(this, QString("%1\n\nis a picture file of the volume. Choose another name.").arg(proposed));
            continue;
        }
        const QFileInfo existing(proposed);
        if (existing.exists() && !existing.isDir() && !seam_.confirmOverwrite(this, proposed)) continue;
        if (session_.SavePicture(target) == Outcome::Failed) ReportLastError();
        return;
    }
}

void TMainForm::PrintSetup1Click() {
    const ScanWait wait(*this);
    seam_.pageSetup(this, *printer_);
}

void TMainForm::Print1Click() {
    if (!CurrentChild_) return;
    const ScanWait wait(*this);
    // The picture the command was given for.
    const QImage picture = CurrentChild_->Picture();
    if (!seam_.printDialog(this, *printer_)) return;
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        ReportError(orbalux::OrbaluxError(orbalux::ErrorKind::Unprintable, ToNative(printer_->printerName()), "The printer could not start the job."));
        return;
    }
    LastPageRect_ = PaintPicturePage(painter, *printer_, picture);
    if (!painter.end()) ReportError(orbalux::OrbaluxError(orbalux::ErrorKind::Unprintable, ToNative(printer_->printerName()), "The print job failed."));
}
