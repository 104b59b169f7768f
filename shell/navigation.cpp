// Stepping through the directory list: Next, Previous, the first and last
// entries, a position typed into the counter, and the timed scan.
#include <QLineEdit>
#include <QTimer>

#include "shell/MainUnit.h"

using orbalux::ScanDirection;

void TMainForm::FileForBtnClick() { Shown(session_.Next()); }
void TMainForm::FileTylBtnClick() { Shown(session_.Previous()); }
void TMainForm::First1Click() { Shown(session_.First()); }
void TMainForm::Last1Click() { Shown(session_.Last()); }

void TMainForm::GoTo1Click() {
    Memo1_->setFocus(Qt::ShortcutFocusReason);
    Memo1_->selectAll();
}

// A scan already running only changes direction; the timer keeps its phase.
void TMainForm::FileForAutoBtnClick() {
    session_.StartScan(ScanDirection::Forward);
    SyncScan();
}

void TMainForm::FileTylAutBtnClick() {
    session_.StartScan(ScanDirection::Backward);
    SyncScan();
}

void TMainForm::ScanToggle1Click() {
    session_.ToggleScan();
    SyncScan();
}

void TMainForm::FileStopBtnClick() {
    session_.StopScan();
    SyncScan();
}

void TMainForm::Timer1Timer() {
    // No step behind an open dialog: the command there acts on the picture
    // it was given for.
    if (dialogsUp_ > 0) return;
    // A new pause restarts the count from this tick; the same pause keeps it.
    if (Timer1_->interval() != session_.ScanPause()) Timer1_->setInterval(session_.ScanPause());
    Shown(session_.ScanStep());
}
