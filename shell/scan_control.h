// The timed scan's clock: Timer1, the two scan buttons that show its
// direction, and the wait that holds it while a dialog is up, so that the
// picture a command was given for is the one it acts on.
#pragma once

#include "session/browsing_session.h"

class QObject;
class QTimer;
class QToolButton;

class TScanControl {
public:
    TScanControl(QObject& owner, orbalux::BrowsingSession& session, QToolButton* forward, QToolButton* backward);

    // Holds the scan while it lives; the scan goes on after with the same pause.
    class Wait {
    public:
        explicit Wait(TScanControl& scan);
        ~Wait();
        Wait(const Wait&) = delete;
        Wait& operator=(const Wait&) = delete;

    private:
        TScanControl& scan_;
    };

    QTimer* Timer() const { return timer_; }
    // The timer and the buttons follow the session; a pause changed during
    // a scan restarts the count at the new pause.
    void Sync();
    // A scan already running only changes direction; the timer keeps its phase.
    void Start(orbalux::ScanDirection direction);
    void Toggle();
    void Stop();
    // Whether a tick of the timer may step: never behind an open dialog. A new
    // pause restarts the count from this tick; the same pause keeps it.
    bool StepDue();

private:
    orbalux::BrowsingSession& session_;
    QTimer* timer_;
    QToolButton* forward_;
    QToolButton* backward_;
    int dialogsUp_ = 0;
};
