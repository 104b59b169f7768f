// What the commands leave behind inside the main window, for the tests to
// read: the shown picture's state, the directory list, the scan, the image
// window, the timers and the dialogs. The window and its concerns keep these
// to themselves; this struct is their friend.
#pragma once

#include <string>
#include <vector>

#include <QPrinter>
#include <QRect>
#include <QTimer>

#include "session/blink.h"
#include "shell/MainUnit.h"
#include "shell/blink_commands.h"
#include "shell/save_print.h"
#include "shell/scan_control.h"
#include "shell/viewing_tools.h"
#include "state/picture_state.h"

struct MainFormProbe {
    const TMainForm& form;

    const orbalux::PictureState& State() const { return form.session_.State(); }
    const std::vector<std::string>& FileList() const { return form.session_.FileList(); }
    int ScanDirection() const { return static_cast<int>(form.session_.Direction()); }
    int ScanPause() const { return form.session_.ScanPause(); }
    TChild* CurrentChild() const { return form.CurrentChild_; }
    QTimer* Timer1() const { return form.scan_->Timer(); }
    TInfoBox* InfoBox() const { return form.InfoBox_; }
    THistogramBox* HistogramBox() const { return form.tools_->histogramBox_; }
    QPrinter& Printer() const { return *form.savePrint_->printer_; }
    // Where the picture went on the last page printed or previewed, in dots.
    QRect LastPageRect() const { return form.savePrint_->lastPageRect_; }
    const orbalux::BlinkPair& Blink() const { return form.blink_->blink_; }
    QTimer* BlinkTimer() const { return form.blink_->timer_; }
};
