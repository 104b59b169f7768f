// The viewing tools around every display: the status bar with the pointer
// readout and the shown picture's size, lost lines, levels and zoom; the
// zoom steps of the image window; the histogram window.
#pragma once

#include <optional>

#include <QObject>
#include <QPoint>
#include <QPointer>

#include "session/zoom.h"
#include "shell/MDIChild.h"
#include "state/picture_state.h"

class QLabel;
class QMainWindow;
class THistogramBox;
namespace orbalux {
struct GreyHistogram;
}

class TViewingTools : public QObject {
public:
    // Builds the status bar of `frame`; `child` is the image window, if any.
    TViewingTools(QMainWindow& frame, const orbalux::PictureState& state, const QPointer<TChild>& child);

    // A new image window takes the zoom chosen and reports the pointer.
    void Attach(TChild* child);
    // A picture now shown; `wholeChain` is false for "Original Image".
    void PictureShown(bool wholeChain);
    // No picture to read out.
    void Clear();

    void StepIn();
    void StepOut();
    void ActualSize();
    void Fit();
    // Shows the histogram window, or closes it when it is up.
    void ShowHistogram();

private:
    friend struct MainFormProbe;  // the tests read inside (tests/shell/main_form_probe.h)

    // A step of the ladder, keeping `anchor` (a point of the image window's
    // view) on its picture point; the view's middle without one.
    void SetZoomStep(int step, std::optional<QPoint> anchor = std::nullopt);
    orbalux::ZoomFactor ShownZoom() const;
    void ShowZoom();
    void ShowPointerReadout();
    orbalux::GreyHistogram ShownHistogram() const;

    QMainWindow& frame_;
    const orbalux::PictureState& state_;
    const QPointer<TChild>& child_;
    int zoomStep_ = orbalux::kActualSizeStep;
    bool fitZoom_ = false;  // fitted to the window until another zoom
    bool wholeChainShown_ = true;
    std::optional<QPoint> pointer_;  // over the picture control, in its coordinates
    THistogramBox* histogramBox_ = nullptr;
    QLabel* pointerReadout_ = nullptr;
    QLabel* pictureSizeStatus_ = nullptr;
    QLabel* lostLinesStatus_ = nullptr;
    QLabel* levelsStatus_ = nullptr;
    QLabel* zoomStatus_ = nullptr;
};
