// The viewing tools of the main window: zoom, the status bar with the pointer
// readout and the shown file's size, format and lost lines, the histogram
// window and the print preview.
#include <algorithm>
#include <cstdlib>

#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QStatusBar>

#include "processing/stages.h"
#include "session/grey_histogram.h"
#include "session/picture_extent.h"
#include "session/pixel_readout.h"
#include "session/status_texts.h"
#include "session/stretch_marks.h"
#include "shell/HistogramUnit.h"
#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"
#include "shell/elided_label.h"
#include "shell/page_painting.h"
#include "shell/picture_control.h"

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

// The percentile stretch's lo and hi, when one made the shown picture.
void ShowStretchMarks(THistogramBox& box, const orbalux::PictureState& state, bool wholeChain) {
    const std::optional<orbalux::StretchMarks> marks = orbalux::ShownStretchMarks(state, wholeChain);
    box.SetStretchMarks(marks, marks ? QString::fromStdString(orbalux::StretchMarksText(*marks, state)) : QString());
}

}  // namespace

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(true);
    // Texts that may not fit a small window are shortened, whole in their tips.
    auto label = [this](const char* name) {
        auto* l = new TElidedLabel(this);
        l->setObjectName(name);
        return l;
    };
    PointerReadout_ = label("PointerReadout");
    PictureSizeStatus_ = label("PictureSizeStatus");
    LostLinesStatus_ = label("LostLinesStatus");
    TElidedLabel* levels = label("LevelsStatus");
    ZoomStatus_ = new QLabel(this);
    ZoomStatus_->setObjectName("ZoomStatus");
    ZoomStatus_->setTextFormat(Qt::PlainText);
    bar->addWidget(PointerReadout_, 1);
    bar->addPermanentWidget(PictureSizeStatus_);
    bar->addPermanentWidget(LostLinesStatus_);
    bar->addPermanentWidget(levels);
    bar->addPermanentWidget(ZoomStatus_);
    ShowZoom();
}

void TMainForm::AttachImageWindow(TChild* child) {
    if (FitZoom_)
        child->SetFitToWindow();
    else
        child->SetZoom(StepFactor(ZoomStep_));
    TPictureControl* image = child->Image();
    connect(image, &TPictureControl::pointerMoved, this, [this](QPoint at) {
        Pointer_ = at;
        ShowPointerReadout();
    });
    connect(image, &TPictureControl::pointerLeft, this, [this] {
        Pointer_.reset();
        ShowPointerReadout();
    });
    connect(child, &TChild::zoomChanged, this, [this](ZoomFactor) { ShowZoom(); });
    connect(child, &TChild::wheelZoom, this, [this](int steps, QPoint at) {
        if (!CurrentChild_) return;
        int step = steps > 0 ? ZoomIn(ShownZoom()) : ZoomOut(ShownZoom());
        for (int i = 1; i < std::abs(steps); ++i) step = steps > 0 ? ZoomIn(StepFactor(step)) : ZoomOut(StepFactor(step));
        SetZoomStep(step, at);
    });
}

void TMainForm::PictureShown(bool wholeChain) {
    WholeChainShown_ = wholeChain;
    SetStatusText(PictureSizeStatus_, QString::fromStdString(PictureSizeText(state_)));
    SetStatusText(LostLinesStatus_, QString::fromStdString(LostLinesText(state_.LostLineCount)));
    SetStatusText(statusBar()->findChild<QLabel*>("LevelsStatus"),
                  QString::fromStdString(LevelsText(state_.BrightnessLevel / orbalux::kBrightnessStep,
                                                    state_.ContrastLevel)));
    // The pointer may rest on the picture while a scan or a button changes it.
    ShowPointerReadout();
    if (HistogramBox_ && HistogramBox_->isVisible() && CurrentChild_) {
        HistogramBox_->SetHistogram(ShownHistogram());
        ShowStretchMarks(*HistogramBox_, state_, WholeChainShown_);
    }
}

void TMainForm::ClearViewingTools() {
    Pointer_.reset();
    for (QLabel* status : {PointerReadout_, PictureSizeStatus_, LostLinesStatus_,
                           statusBar()->findChild<QLabel*>("LevelsStatus")})
        SetStatusText(status, {});
    if (HistogramBox_) HistogramBox_->Clear();
}

void TMainForm::ShowPointerReadout() {
    if (!CurrentChild_ || !Pointer_) {
        SetStatusText(PointerReadout_, {});
        return;
    }
    const std::optional<PixelReadout> readout =
        ReadPixel(Pointer_->x(), Pointer_->y(), CurrentChild_->Image()->Zoom(),
                  ShownGeometryOf(state_, WholeChainShown_), ShownLevels(CurrentChild_->Picture()), state_);
    SetStatusText(PointerReadout_, readout ? QString::fromStdString(ReadoutText(*readout)) : QString());
}

ZoomFactor TMainForm::ShownZoom() const {
    return CurrentChild_ ? CurrentChild_->Image()->Zoom() : StepFactor(ZoomStep_);
}

void TMainForm::ShowZoom() {
    const std::string percent = ZoomPercent(ShownZoom());
    ZoomStatus_->setText(FitZoom_ ? QString("Fit %1").arg(QString::fromStdString(percent))
                                  : QString::fromStdString(percent));
    // What lies under a resting pointer has changed with the scale.
    Pointer_.reset();
    SetStatusText(PointerReadout_, {});
}

void TMainForm::SetZoomStep(int step, std::optional<QPoint> anchor) {
    ZoomStep_ = step;
    FitZoom_ = false;
    if (CurrentChild_) CurrentChild_->SetZoom(StepFactor(step), anchor);
    ShowZoom();
}

void TMainForm::ZoomIn1Click() { SetZoomStep(ZoomIn(ShownZoom())); }
void TMainForm::ZoomOut1Click() { SetZoomStep(ZoomOut(ShownZoom())); }
void TMainForm::ActualSize1Click() { SetZoomStep(kActualSizeStep); }

void TMainForm::FitToWindow1Click() {
    if (!CurrentChild_) return;
    FitZoom_ = true;
    CurrentChild_->SetFitToWindow();
    ShowZoom();
}

GreyHistogram TMainForm::ShownHistogram() const {
    // Under a percentile stretch, the levels that entered it, so that the
    // marks at lo and hi stand over the levels they name.
    if (const std::optional<GreyHistogram> entering = orbalux::StretchInputHistogram(state_, WholeChainShown_))
        return *entering;
    // Picture data only, as the row map tells: not the grey field of the
    // narrow formats and the reductions, nor rows that were never received
    // (lost lines, lines past the end of a cut file, the frame's tail).
    const std::vector<std::uint8_t> data = orbalux::ShownDataMask(state_, WholeChainShown_);
    const int width = state_.ImageWidth;
    return HistogramOf(GreyOf(CurrentChild_->Picture()), [&](int x, int y) {
        const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
        return x < width && at < data.size() && data[at] != 0;
    });
}

void TMainForm::Histogram1Click() {
    if (!HistogramBox_) {
        HistogramBox_ = new THistogramBox(this);
        // Beside the picture rather than over its middle.
        HistogramBox_->move(mapToGlobal(QPoint(std::max(0, width() - HistogramBox_->width() - 24), 96)));
    }
    if (CurrentChild_) {
        HistogramBox_->SetHistogram(ShownHistogram());
        ShowStretchMarks(*HistogramBox_, state_, WholeChainShown_);
    } else
        HistogramBox_->Clear();
    HistogramBox_->show();
    HistogramBox_->raise();
}

void TMainForm::PrintPreview1Click() {
    if (!CurrentChild_) return;
    QPrintPreviewDialog preview(printer_.get(), this);
    preview.setObjectName("PrintPreviewDialog");
    preview.setWindowTitle("Print Preview");
    const QImage picture = CurrentChild_->Picture();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, picture](QPrinter* printer) {
        QPainter painter(printer);
        LastPageRect_ = PaintPicturePage(painter, *printer, picture);
    });
    ShowModal(preview);
}
