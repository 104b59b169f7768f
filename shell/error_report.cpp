// The error box and the modal dialogs, with the scan held while they are up.
#include "shell/error_report.h"

#include <QString>

#include "shell/dialog_seam.h"
#include "shell/native_names.h"

TErrorReport::TErrorReport(QWidget& window, TDialogSeam& seam, const orbalux::BrowsingSession& session,
                           TScanControl& scan)
    : window_(window), seam_(seam), session_(session), scan_(scan) {}

void TErrorReport::ShowModal(QDialog& dialog) {
    const TScanControl::Wait wait(scan_);
    seam_.showModal(dialog);
}

void TErrorReport::ReportError(const orbalux::OrbaluxError& error) {
    const TScanControl::Wait wait(scan_);
    const QString file = FromNative(error.file());
    const QString reason = FromNative(error.reason());
    seam_.showError(&window_, file.isEmpty() ? reason : QString("%1\n\n%2").arg(file, reason));
}

void TErrorReport::ReportLastError() {
    if (session_.LastError()) ReportError(*session_.LastError());
}
