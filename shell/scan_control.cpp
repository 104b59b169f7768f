// The timed scan's clock and the wait that holds it behind a dialog.
#include "shell/scan_control.h"

#include <QTimer>
#include <QToolButton>

using orbalux::ScanDirection;

TScanControl::TScanControl(QObject& owner, orbalux::BrowsingSession& session, QToolButton* forward,
                           QToolButton* backward)
    : session_(session), timer_(new QTimer(&owner)), forward_(forward), backward_(backward) {
    timer_->setObjectName("Timer1");
    timer_->setInterval(2000);
}

TScanControl::Wait::Wait(TScanControl& scan) : scan_(scan) {
    ++scan_.dialogsUp_;
    scan_.timer_->stop();
}

TScanControl::Wait::~Wait() {
    --scan_.dialogsUp_;
    scan_.Sync();
}

void TScanControl::Sync() {
    const bool scanning = session_.Scanning();
    // A new pause takes effect at once: the running interval starts again at
    // it. Restarted after a dialog, the timer keeps its interval.
    if (!scanning || dialogsUp_ > 0) {
        timer_->stop();
    } else if (!timer_->isActive() || timer_->interval() != session_.ScanPause()) {
        timer_->setInterval(session_.ScanPause());
        timer_->start();
    }
    forward_->setChecked(scanning && session_.Direction() == ScanDirection::Forward);
    backward_->setChecked(scanning && session_.Direction() == ScanDirection::Backward);
}

void TScanControl::Start(ScanDirection direction) {
    session_.StartScan(direction);
    Sync();
}

void TScanControl::Toggle() {
    session_.ToggleScan();
    Sync();
}

void TScanControl::Stop() {
    session_.StopScan();
    Sync();
}

bool TScanControl::StepDue() {
    if (dialogsUp_ > 0) return false;
    if (timer_->interval() != session_.ScanPause()) timer_->setInterval(session_.ScanPause());
    return true;
}
