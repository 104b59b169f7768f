// The shown picture drawn into the image window, straight from the grey
// picture that the BMP holds, and the viewing tools told of it; after a
// re-run of the chain on it, the picture shown again or the failure reported.
#pragma once

#include <functional>
#include <vector>

#include <QPointer>
#include <QTimer>

#include "session/browsing_session.h"
#include "shell/MDIChild.h"
#include "shell/error_report.h"
#include "shell/viewing_tools.h"

class TPictureShow {
public:
    TPictureShow(const orbalux::BrowsingSession& session, const QPointer<TChild>& child, TViewingTools& tools,
                 TErrorReport& report);

    // `wholeChain` is false for "Original Image", which runs no stage. Throws
    // OrbaluxError when the picture cannot be assembled.
    void Show(bool wholeChain = true);
    // After an option, a step or "Original Image" re-ran the shown picture.
    void Redisplayed(orbalux::Outcome outcome);
    // Told after each picture shown (Measure and Compare follow it).
    void OnShown(std::function<void()> shown) { shown_.push_back(std::move(shown)); }

private:
    const orbalux::BrowsingSession& session_;
    const QPointer<TChild>& child_;
    TViewingTools& tools_;
    TErrorReport& report_;
    std::vector<std::function<void()>> shown_;
    QTimer rest_;  // a second after the last picture shown, freed memory goes back
};
