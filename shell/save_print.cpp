// Save As, Print, Print Preview and Print Setup, on the picture as the image
// window shows it. The scan waits while their dialogs are up.
#include "shell/save_print.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include "session/save_target.h"
#include "shell/dialog_seam.h"
#include "shell/file_filters.h"
#include "shell/native_names.h"
#include "shell/page_painting.h"
#include "shell/wrote_message.h"

using orbalux::Outcome;

TSavePrint::TSavePrint(QWidget& window, TDialogSeam& seam, orbalux::BrowsingSession& session,
                       const QPointer<TChild>& child, TScanControl& scan, TErrorReport& report)
    : window_(window),
      seam_(seam),
      session_(session),
      child_(child),
      scan_(scan),
      report_(report),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TSavePrint::~TSavePrint() = default;

void TSavePrint::SaveAs() {
    if (!session_.PictureShown()) return;
    const TScanControl::Wait wait(scan_);
    QString proposed = DialogPath(session_.ProposedSavePath());
    QString filter = SaveFilterOf(session_.LastSaveFormat());
    // Back to the dialog until a name is settled or the dialog is cancelled.
    for (;;) {
        const std::optional<SaveChoice> choice = seam_.saveFileName(&window_, proposed, filter);
        if (!choice || choice->path.isEmpty()) return;
        const orbalux::SaveTarget target =
            orbalux::ResolveSaveTarget(ToNative(choice->path), SaveFormatOf(choice->filter));
        proposed = DialogPath(target.path);
        filter = choice->filter;
        if (session_.IsListedPicture(target.path)) {
            seam_.showError(&window_,
                            QString("%1\n\nis a picture file of the volume. Choose another name.").arg(proposed));
            continue;
        }
        const QFileInfo existing(proposed);
        if (existing.exists() && !existing.isDir() && !seam_.confirmOverwrite(&window_, proposed)) continue;
        if (session_.SavePicture(target) == Outcome::Failed)
            report_.ReportLastError();
        else
            ShowWrote(window_, proposed);
        return;
    }
}

void TSavePrint::PrintSetup() {
    const TScanControl::Wait wait(scan_);
    seam_.pageSetup(&window_, *printer_);
}

void TSavePrint::Print() {
    if (!child_) return;
    const TScanControl::Wait wait(scan_);
    // The picture the command was given for.
    const QImage picture = child_->Picture();
    if (!seam_.printDialog(&window_, *printer_)) return;
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        report_.ReportError(orbalux::OrbaluxError(orbalux::ErrorKind::Unprintable, ToNative(printer_->printerName()),
                                                  "The printer could not start the job."));
        return;
    }
    lastPageRect_ = PaintPicturePage(painter, *printer_, picture);
    if (!painter.end())
        report_.ReportError(orbalux::OrbaluxError(orbalux::ErrorKind::Unprintable, ToNative(printer_->printerName()),
                                                  "The print job failed."));
}

void TSavePrint::PrintPreview() {
    if (!child_) return;
    QPrintPreviewDialog preview(printer_.get(), &window_);
    preview.setObjectName("PrintPreviewDialog");
    preview.setWindowTitle("Print Preview");
    const QImage picture = child_->Picture();
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [this, picture](QPrinter* printer) {
        QPainter painter(printer);
        lastPageRect_ = PaintPicturePage(painter, *printer, picture);
    });
    report_.ShowModal(preview);
}
