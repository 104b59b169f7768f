// The viewing tools of the main window: zoom, the status bar with the pointer
// readout and the shown file's size, format and lost lines, the histogram
// window and the print preview.
#include <algorithm>

#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QStatusBar>

#include "shell/HistogramUnit.h"
#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"
#include "shell/grey_histogram.h"
#include "shell/page_painting.h"
#include "shell/picture_control.h"
#include "shell/picture_extent.h"
#include "shell/pixel_readout.h"
#include "shell/status_texts.h"

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(true);
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    PointerReadout_ = label("PointerReadout");
    PictureSizeStatus_ = label("PictureSizeStatus");
    LostLinesStatus_ = label("LostLinesStatus");
    ZoomStatus_ = label("ZoomStatus");
    bar->addWidget(PointerReadout_, 1);
    bar->addPermanentWidget(PictureSizeStatus_);
    bar->addPermanentWidget(LostLinesStatus_);
    bar->addPermanentWidget(ZoomStatus_);
    ZoomStatus_->setText(QString::fromStdString(ZoomPercent(ZoomStep_)));
}

void TMainForm::AttachImageWindow(TChild* child) {
    child->SetZoom(ZoomStep_);
    TPictureControl* image = child->Image();
    connect(image, &TPictureControl::pointerMoved, this, [this](QPoint at) {
        Pointer_ = at;
        ShowPointerReadout();
    });
    connect(image, &TPictureControl::pointerLeft, this, [this] {
        Pointer_.reset();
        ShowPointerReadout();
    });
}

void TMainForm::PictureShown(bool wholeChain) {
    WholeChainShown_ = wholeChain;
    PictureSizeStatus_->setText(PictureSizeText(state_));
    LostLinesStatus_->setText(LostLinesText(state_.LostLineCount));
    // The pointer may rest on the picture while a scan or a button changes it.
    ShowPointerReadout();
    if (HistogramBox_ && HistogramBox_->isVisible() && CurrentChild_) HistogramBox_->SetHistogram(ShownHistogram());
}

void TMainForm::ClearViewingTools() {
    Pointer_.reset();
    PointerReadout_->clear();
    PictureSizeStatus_->clear();
    LostLinesStatus_->clear();
    if (HistogramBox_) HistogramBox_->Clear();
}

void TMainForm::ShowPointerReadout() {
    if (!CurrentChild_ || !Pointer_) {
        PointerReadout_->clear();
        return;
    }
    const std::optional<PixelReadout> readout =
        ReadPixel(Pointer_->x(), Pointer_->y(), CurrentChild_->Image()->Zoom(),
                  ShownGeometryOf(state_, WholeChainShown_), CurrentChild_->Picture(), state_);
    if (readout)
        PointerReadout_->setText(ReadoutText(*readout));
    else
        PointerReadout_->clear();
}

void TMainForm::SetZoomStep(int step) {
    ZoomStep_ = step;
    ZoomStatus_->setText(QString::fromStdString(ZoomPercent(step)));
    if (!CurrentChild_) return;
    CurrentChild_->SetZoom(step);
    // What lies under a resting pointer has changed with the scale.
    Pointer_.reset();
    PointerReadout_->clear();
}

void TMainForm::ZoomIn1Click() { SetZoomStep(ZoomIn(ZoomStep_)); }
void TMainForm::ZoomOut1Click() { SetZoomStep(ZoomOut(ZoomStep_)); }
void TMainForm::ActualSize1Click() { SetZoomStep(kActualSizeStep); }

void TMainForm::FitToWindow1Click() {
    if (!CurrentChild_) return;
    const QImage& picture = CurrentChild_->Picture();
    // The room the picture has without scroll bars; a restored window may
    // grow up to the frame's area.
    QSize area = CurrentChild_->ScrollArea()->maximumViewportSize();
    if (!CurrentChild_->isMaximized() && mdiArea_) area = mdiArea_->viewport()->size() - (CurrentChild_->size() - area);
    SetZoomStep(FitToWindow(picture.width(), picture.height(), area.width(), area.height()));
}

GreyHistogram TMainForm::ShownHistogram() const {
    // The picture's own pixels: not the grey field of the narrow formats and
    // the reductions, which would stand as a tall bar at one level.
    const ShownGeometry geometry = ShownGeometryOf(state_, WholeChainShown_);
    const int columns = PictureColumns(state_);
    return HistogramOf(CurrentChild_->Picture(),
                       [&](int x, int y) { return ShowsPicture(geometry, columns, {x, y}); });
}

void TMainForm::Histogram1Click() {
    if (!HistogramBox_) {
        HistogramBox_ = new THistogramBox(this);
        // Beside the picture rather than over its middle.
        HistogramBox_->move(mapToGlobal(QPoint(std::max(0, width() - HistogramBox_->width() - 24), 96)));
    }
    if (CurrentChild_)
        HistogramBox_->SetHistogram(ShownHistogram());
    else
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
