// The one way a failure reaches the user (the file and the reason, in a box
// over the window) and the modal dialogs, both holding the scan while up.
#pragma once

#include "session/browsing_session.h"
#include "shell/scan_control.h"
#include "state/orbalux_error.h"

class TDialogSeam;
class QDialog;
class QWidget;

class TErrorReport {
public:
    TErrorReport(QWidget& window, TDialogSeam& seam, const orbalux::BrowsingSession& session, TScanControl& scan);

    void ShowModal(QDialog& dialog);
    void ReportError(const orbalux::OrbaluxError& error);
    // The session's last failure, if it has one.
    void ReportLastError();

private:
    QWidget& window_;
    TDialogSeam& seam_;
    const orbalux::BrowsingSession& session_;
    TScanControl& scan_;
};
