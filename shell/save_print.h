// Save As, Print, Print Preview and Print Setup, on the picture as the image
// window shows it. The scan waits while their dialogs are up.
#pragma once

#include <memory>

#include <QPointer>
#include <QRect>

#include "session/browsing_session.h"
#include "shell/MDIChild.h"
#include "shell/error_report.h"
#include "shell/scan_control.h"

class TDialogSeam;
class QPrinter;
class QWidget;

class TSavePrint {
public:
    TSavePrint(QWidget& window, TDialogSeam& seam, orbalux::BrowsingSession& session, const QPointer<TChild>& child,
               TScanControl& scan, TErrorReport& report);
    ~TSavePrint();

    void SaveAs();
    void Print();
    void PrintPreview();
    void PrintSetup();

private:
    friend struct MainFormProbe;  // the tests read inside (tests/shell/main_form_probe.h)

    QWidget& window_;
    TDialogSeam& seam_;
    orbalux::BrowsingSession& session_;
    const QPointer<TChild>& child_;
    TScanControl& scan_;
    TErrorReport& report_;
    std::unique_ptr<QPrinter> printer_;
    QRect lastPageRect_;  // where the picture went on the last page printed or previewed, in dots
};
