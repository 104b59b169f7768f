// The viewing tools of the main window: zoom, the status bar with the pointer
// readout and the shown file's size, format and lost lines, and the histogram
// window.
#include "shell/viewing_tools.h"

#include <algorithm>
#include <cstdlib>

#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>

#include "processing/stages.h"
#include "session/grey_histogram.h"
#include "session/picture_extent.h"
#include "session/pixel_readout.h"
#include "session/status_texts.h"
#include "session/stretch_marks.h"
#include "shell/MDIChild.h"
#include "shell/elided_label.h"
#include "shell/histogram_box.h"
#include "shell/picture_control.h"

using orbalux::GreyHistogram;
using orbalux::HistogramOf;
using orbalux::kActualSizeStep;
using orbalux::LevelsText;
using orbalux::LostLinesText;
using orbalux::PictureSizeText;
using orbalux::PixelReadout;
using orbalux::ReadoutText;
using orbalux::ReadPixel;
using orbalux::ShownGeometryOf;
using orbalux::ShownLevelAt;
using orbalux::ShownPixel;
using orbalux::StepFactor;
using orbalux::ZoomFactor;
using orbalux::ZoomIn;
using orbalux::ZoomOut;
using orbalux::ZoomPercent;

namespace {

// The shown bitmap's grey levels; its pixels are grey (equal red, green and
// blue), so the grey conversion keeps every level.
orbalux::GreyImage GreyOf(const QImage& picture) {
    if (picture.isNull()) return {};
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    orbalux::GreyImage levels(grey.width(), grey.height());
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        std::copy(row, row + grey.width(), levels.pixels.begin() + static_cast<std::ptrdiff_t>(y) * grey.width());
    }
    return levels;
}

// The shown bitmap's level at a pixel, read where the pointer is.
ShownLevelAt ShownLevels(const QImage& picture) {
    return [&picture](ShownPixel p) -> std::optional<int> {
        if (!picture.valid(p.column, p.row)) return std::nullopt;
        return qGray(picture.pixel(p.column, p.row));
    };
}

// The zoom mode remembered from run to run: "fit", or a step of the ladder.
constexpr const char* kZoomSetting = "view/zoom";
constexpr const char* kFitSetting = "fit";

// The percentile stretch's lo and hi, when one made the shown picture.
void ShowStretchMarks(THistogramBox& box, const orbalux::PictureState& state, bool wholeChain) {
    const std::optional<orbalux::StretchMarks> marks = orbalux::ShownStretchMarks(state, wholeChain);
    box.SetStretchMarks(marks, marks ? QString::fromStdString(orbalux::StretchMarksText(*marks, state)) : QString());
}

}  // namespace

TViewingTools::TViewingTools(QMainWindow& frame, const orbalux::PictureState& state, const QPointer<TChild>& child)
    : frame_(frame), state_(state), child_(child) {
    QStatusBar* bar = frame_.statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(true);
    // Texts that may not fit a small window are shortened, whole in their tips.
    auto label = [this](const char* name) {
        auto* l = new TElidedLabel(&frame_);
        l->setObjectName(name);
        return l;
    };
    pointerReadout_ = label("PointerReadout");
    pictureSizeStatus_ = label("PictureSizeStatus");
    lostLinesStatus_ = label("LostLinesStatus");
    levelsStatus_ = label("LevelsStatus");
    zoomStatus_ = new QLabel(&frame_);
    zoomStatus_->setObjectName("ZoomStatus");
    zoomStatus_->setTextFormat(Qt::PlainText);
    bar->addWidget(pointerReadout_, 1);
    bar->addPermanentWidget(pictureSizeStatus_);
    bar->addPermanentWidget(lostLinesStatus_);
    bar->addPermanentWidget(levelsStatus_);
    bar->addPermanentWidget(zoomStatus_);
    // The zoom mode of the last run: Fit, or a step of the ladder.
    const QString zoom = QSettings().value(kZoomSetting).toString();
    bool isStep = false;
    const int step = zoom.toInt(&isStep);
    fitZoom_ = zoom == kFitSetting;
    if (isStep) zoomStep_ = std::clamp(step, 0, static_cast<int>(orbalux::kZoomSteps.size()) - 1);
    ShowZoom();
}

void TViewingTools::Attach(TChild* child) {
    if (fitZoom_)
        child->SetFitToWindow();
    else
        child->SetZoom(StepFactor(zoomStep_));
    TPictureControl* image = child->Image();
    connect(image, &TPictureControl::pointerMoved, this, [this](QPoint at) {
        pointer_ = at;
        ShowPointerReadout();
    });
    connect(image, &TPictureControl::pointerLeft, this, [this] {
        pointer_.reset();
        ShowPointerReadout();
    });
    connect(child, &TChild::zoomChanged, this, [this](ZoomFactor) { ShowZoom(); });
    connect(child, &TChild::wheelZoom, this, [this](int steps, QPoint at) {
        if (!child_) return;
        int step = steps > 0 ? ZoomIn(ShownZoom()) : ZoomOut(ShownZoom());
        for (int i = 1; i < std::abs(steps); ++i)
            step = steps > 0 ? ZoomIn(StepFactor(step)) : ZoomOut(StepFactor(step));
        SetZoomStep(step, at);
    });
}

void TViewingTools::PictureShown(bool wholeChain) {
    wholeChainShown_ = wholeChain;
    SetStatusText(pictureSizeStatus_, QString::fromStdString(PictureSizeText(state_)));
    SetStatusText(lostLinesStatus_, QString::fromStdString(LostLinesText(state_.LostLineCount)));
    SetStatusText(levelsStatus_, QString::fromStdString(LevelsText(state_.BrightnessLevel / orbalux::kBrightnessStep,
                                                                   state_.ContrastLevel)));
    // The pointer may rest on the picture while a scan or a button changes it.
    ShowPointerReadout();
    if (histogramBox_ && histogramBox_->isVisible() && child_) {
        histogramBox_->SetHistogram(ShownHistogram());
        ShowStretchMarks(*histogramBox_, state_, wholeChainShown_);
    }
}

void TViewingTools::Clear() {
    pointer_.reset();
    for (QLabel* status : {pointerReadout_, pictureSizeStatus_, lostLinesStatus_, levelsStatus_})
        SetStatusText(status, {});
    if (histogramBox_) histogramBox_->Clear();
}

void TViewingTools::ShowPointerReadout() {
    if (!child_ || !pointer_) {
        SetStatusText(pointerReadout_, {});
        return;
    }
    const std::optional<PixelReadout> readout =
        ReadPixel(pointer_->x(), pointer_->y(), child_->Image()->Zoom(), ShownGeometryOf(state_, wholeChainShown_),
                  ShownLevels(child_->Picture()), state_);
    SetStatusText(pointerReadout_, readout ? QString::fromStdString(ReadoutText(*readout)) : QString());
}

ZoomFactor TViewingTools::ShownZoom() const { return child_ ? child_->Image()->Zoom() : StepFactor(zoomStep_); }

void TViewingTools::ShowZoom() {
    const std::string percent = ZoomPercent(ShownZoom());
    zoomStatus_->setText(fitZoom_ ? QString("Fit %1").arg(QString::fromStdString(percent))
                                  : QString::fromStdString(percent));
    // What lies under a resting pointer has changed with the scale.
    pointer_.reset();
    SetStatusText(pointerReadout_, {});
}

void TViewingTools::SetZoomStep(int step, std::optional<QPoint> anchor) {
    zoomStep_ = step;
    fitZoom_ = false;
    QSettings().setValue(kZoomSetting, step);
    if (child_) child_->SetZoom(StepFactor(step), anchor);
    ShowZoom();
}

void TViewingTools::StepIn() { SetZoomStep(ZoomIn(ShownZoom())); }
void TViewingTools::StepOut() { SetZoomStep(ZoomOut(ShownZoom())); }
void TViewingTools::ActualSize() { SetZoomStep(kActualSizeStep); }

void TViewingTools::Fit() {
    if (!child_) return;
    fitZoom_ = true;
    QSettings().setValue(kZoomSetting, kFitSetting);
    child_->SetFitToWindow();
    ShowZoom();
}

GreyHistogram TViewingTools::ShownHistogram() const {
    // Under a percentile stretch, the levels that entered it, so that the
    // marks at lo and hi stand over the levels they name.
    if (const std::optional<GreyHistogram> entering = orbalux::StretchInputHistogram(state_, wholeChainShown_))
        return *entering;
    // Picture data only, as the row map tells: not the grey field of the
    // narrow formats and the reductions, nor rows that were never received
    // (lost lines, lines past the end of a cut file, the frame's tail).
    const std::vector<std::uint8_t> data = orbalux::ShownDataMask(state_, wholeChainShown_);
    const int width = state_.ImageWidth;
    return HistogramOf(GreyOf(child_->Picture()), [&](int x, int y) {
        const std::size_t at =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
        return x < width && at < data.size() && data[at] != 0;
    });
}

void TViewingTools::ShowHistogram() {
    // The same key closes it again.
    if (histogramBox_ && histogramBox_->isVisible()) {
        histogramBox_->close();
        return;
    }
    if (!histogramBox_) {
        histogramBox_ = new THistogramBox(&frame_);
        // Beside the picture rather than over its middle.
        histogramBox_->move(frame_.mapToGlobal(QPoint(std::max(0, frame_.width() - histogramBox_->width() - 24), 96)));
        // A window of its own: the frame's keys reach their commands from it
        // too, so that it never holds the keyboard.
        histogramBox_->addActions(frame_.actions());
    }
    if (child_) {
        histogramBox_->SetHistogram(ShownHistogram());
        ShowStretchMarks(*histogramBox_, state_, wholeChainShown_);
    } else {
        histogramBox_->Clear();
    }
    histogramBox_->show();
    histogramBox_->raise();
}
