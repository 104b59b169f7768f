// The counter box's part in browsing: it shows the place in the list and the
// count, and while a picture is shown it takes a position to go to ("125"
// and Enter go to entry 125).
#pragma once

#include <functional>

#include <QObject>
#include <QPointer>

#include "session/browsing_session.h"
#include "shell/MDIChild.h"

class QLineEdit;
class QStatusBar;

// A QObject so that its connections go with it.
class TCounterControl : public QObject {
public:
    // `goTo` loads a position of the list; `child` is the image window, if any.
    TCounterControl(QLineEdit* box, const orbalux::BrowsingSession& session, QStatusBar* statusBar,
                    const QPointer<TChild>& child, std::function<void(int)> goTo);

    // The place, unless a position is being typed into the box.
    void Update();
    // The place; setting the text also marks it as not typed.
    void Show();
    // Go to...: the box takes the keys, its text selected.
    void TakeFocus();

private:
    void Entered();

    QLineEdit* box_;
    const orbalux::BrowsingSession& session_;
    QStatusBar* statusBar_;
    const QPointer<TChild>& child_;
    std::function<void(int)> goTo_;
};
