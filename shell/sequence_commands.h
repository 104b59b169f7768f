// File, Export Sequence...: the list from the shown picture to a chosen end
// as one movie, behind a progress dialog that can cancel it.
#pragma once

#include "session/browsing_session.h"
#include "shell/error_report.h"
#include "shell/scan_control.h"

class TDialogSeam;
class QWidget;

class TSequenceCommands {
public:
    TSequenceCommands(QWidget& window, TDialogSeam& seam, orbalux::BrowsingSession& session, TScanControl& scan,
                      TErrorReport& report);

    void Export();

private:
    QWidget& window_;
    TDialogSeam& seam_;
    orbalux::BrowsingSession& session_;
    TScanControl& scan_;
    TErrorReport& report_;
};
