// Stepping through the directory list: Next, Previous and the timed scan.
#include <QAction>
#include <QTimer>
#include <QToolButton>

#include "shell/MainUnit.h"

void TMainForm::FileForBtnClick() {
    if (FileListPos_ + 1 > FileListCount()) return;
    ++FileListPos_;
    LoadListEntry();
}

void TMainForm::FileTylBtnClick() {
    if (FileListPos_ < 2) return;
    --FileListPos_;
    LoadListEntry();
}

void TMainForm::FileForAutoBtnClick() {
    // A scan already running only changes direction; the timer keeps its phase.
    if (!Timer1_->isActive()) Timer1_->start();
    ScanDirection_ = 1;
    Button("FileTylAutBtn")->setChecked(false);
    Button("FileForAutoBtn")->setChecked(true);
}

void TMainForm::FileTylAutBtnClick() {
    if (!Timer1_->isActive()) Timer1_->start();
    ScanDirection_ = 2;
    Button("FileTylAutBtn")->setChecked(true);
    Button("FileForAutoBtn")->setChecked(false);
}

void TMainForm::FileStopBtnClick() {
    StopScan();
    ScanDirection_ = 0;
}

void TMainForm::StopScan() {
    Timer1_->stop();
    Button("FileTylAutBtn")->setChecked(false);
    Button("FileForAutoBtn")->setChecked(false);
}

void TMainForm::Timer1Timer() {
    // A new pause restarts the count from this tick; the same pause keeps it.
    if (Timer1_->interval() != ScanPause_) Timer1_->setInterval(ScanPause_);
    if (ScanDirection_ == 1) {
        if (FileListPos_ + 1 > FileListCount()) {
            StopScan();
            return;
        }
        ++FileListPos_;
        LoadListEntry();
    } else if (ScanDirection_ == 2) {
        if (FileListPos_ < 2) {
            StopScan();
            return;
        }
        --FileListPos_;
        LoadListEntry();
    }
}

void TMainForm::SetScanPause(int milliseconds, const char* item) {
    ScanPause_ = milliseconds;
    for (const char* name : {"N2seconds1", "N3seconds1", "N4seconds1", "N5seconds1"})
        Action(name)->setChecked(QLatin1String(name) == QLatin1String(item));
}

void TMainForm::N2seconds1Click() { SetScanPause(2000, "N2seconds1"); }
void TMainForm::N3seconds1Click() { SetScanPause(3000, "N3seconds1"); }
void TMainForm::N4seconds1Click() { SetScanPause(4000, "N4seconds1"); }
void TMainForm::N5seconds1Click() { SetScanPause(5000, "N5seconds1"); }
