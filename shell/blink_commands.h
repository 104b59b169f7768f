// Blink: View, Blink with... pins the shown picture; Blink (Ctrl+K) puts it
// and the shown one on screen in turn on a timer until stopped or the picture
// closes. The image window keeps its zoom and scroll position, and the status
// bar says which picture is up.
#pragma once

#include <QObject>
#include <QPointer>

#include "session/blink.h"
#include "session/browsing_session.h"
#include "shell/MDIChild.h"
#include "shell/error_report.h"

class TDialogSeam;
class QAction;
class QLabel;
class QMainWindow;
class QTimer;

class TBlinkCommands : public QObject {
public:
    // Adds its status to `frame`'s status bar; `blinkItem` is View, Blink.
    TBlinkCommands(QMainWindow& frame, const orbalux::BrowsingSession& session, const QPointer<TChild>& child,
                   TDialogSeam& seam, TErrorReport& report, QAction* blinkItem);

    void PinShown();        // Blink with...
    void Toggle();          // Blink
    void ChooseInterval();  // Blink Interval...
    // Browsing on puts the new picture up in the shown one's turn.
    void ShownPositionChanged();
    void PictureClosed();

private:
    friend struct MainFormProbe;  // the tests read inside (tests/shell/main_form_probe.h)

    void Tick();
    void ShowBlink();
    void Stop();

    QMainWindow& frame_;
    const orbalux::BrowsingSession& session_;
    const QPointer<TChild>& child_;
    TDialogSeam& seam_;
    TErrorReport& report_;
    QAction* blinkItem_;
    orbalux::BlinkPair blink_;
    QTimer* timer_ = nullptr;
    QLabel* status_ = nullptr;
};
