// The main window's keyboard paths: Tab and Shift+Tab go round the tool
// buttons, the counter, the picture and the thumbnail strip, in that order
// and back, and Enter presses a focused tool button as Space does.
#pragma once

#include <functional>
#include <vector>

#include <QObject>

class QWidget;

class TKeyboardPaths : public QObject {
public:
    // `stops` gives the widgets Tab goes round, in order, as the window holds
    // them now (a picture window comes and goes); hidden and disabled ones
    // are passed over.
    TKeyboardPaths(QWidget& frame, std::function<std::vector<QWidget*>()> stops);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Moves the focus from the stop `from` on (or back); false when the
    // focus is on none of the stops.
    bool Cycle(QWidget* from, bool forward);

    QWidget& frame_;
    std::function<std::vector<QWidget*>()> stops_;
};
