// Save As, Print and Print Setup, on the picture as the image window shows it.
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"
#include "shell/page_painting.h"
#include "shell/save_target.h"

void TMainForm::SaveAs1Click() {
    if (!CurrentChild_) return;
    const std::optional<SaveChoice> choice = seam_.saveFileName(this);
    if (!choice || choice->path.isEmpty()) return;
    const SaveTarget target = ResolveSaveTarget(choice->path, choice->filter);
    const QFileInfo existing(target.path);
    if (existing.exists() && !existing.isDir() && !seam_.confirmOverwrite(this, target.path)) return;
    const QString reason = WritePictureFile(target, CurrentChild_->BitmapFile(), CurrentChild_->Picture());
    if (!reason.isEmpty()) ReportError(target.path, reason);
}

void TMainForm::PrintSetup1Click() { seam_.pageSetup(this, *printer_); }

void TMainForm::Print1Click() {
    if (!CurrentChild_) return;
    if (!seam_.printDialog(this, *printer_)) return;
    const QImage picture = CurrentChild_->Picture();
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        ReportError(printer_->printerName(), "The printer could not start the job.");
        return;
    }
    LastPageRect_ = PaintPicturePage(painter, *printer_, picture);
    if (!painter.end()) ReportError(printer_->printerName(), "The print job failed.");
}
