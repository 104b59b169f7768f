#include "shell/MDIChild.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMdiArea>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "shell/icons.h"

namespace {
// Darker than the grey 160 that the narrow formats and the reductions leave
// around their pictures.
const QColor kSurround(48, 48, 48);
}  // namespace

TChild::TChild(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName("Child");
    setWindowTitle("Child");
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // The frame's File Close holds the close key wherever the focus is; the
    // window's own menu keeps its Close item without the key, so that the
    // two never compete for it.
    if (QMenu* menu = systemMenu())
        for (QAction* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(QKeySequence::Close))) action->setShortcuts({});

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("ImageScroll");
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette surround = scroll_->palette();
    surround.setColor(QPalette::Dark, kSurround);
    scroll_->setPalette(surround);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->viewport()->installEventFilter(this);

    image_ = new TPictureControl;
    scroll_->setWidget(image_);
    setWidget(scroll_);
    connect(image_, &TPictureControl::dragged, this, &TChild::Pan);
    connect(image_, &TPictureControl::dragEnded, this, [this] { image_->unsetCursor(); });
}

void TChild::ShowPicture(const QImage& picture) {
    picture_ = picture;
    image_->SetPicture(picture);
    if (fit_) Refit();
    FitToPicture();
}

void TChild::SetZoom(ZoomFactor factor, std::optional<QPoint> anchor) {
    fit_ = false;
    ApplyZoom(factor, anchor.value_or(scroll_->viewport()->rect().center()));
}

void TChild::SetFitToWindow() {
    fit_ = true;
    Refit();
}

void TChild::Refit() {
    if (picture_.isNull()) return;
    // The room the picture has without scroll bars; a restored window may
    // grow up to the frame's area.
    QSize area = scroll_->maximumViewportSize();
    if (!isMaximized() && mdiArea()) area = mdiArea()->viewport()->size() - (size() - area);
    const ZoomFactor factor = FitToWindow(picture_.width(), picture_.height(), area.width(), area.height());
    if (factor == image_->Zoom()) return;
    ApplyZoom(factor, scroll_->viewport()->rect().center());
    emit zoomChanged(factor);
}

void TChild::ApplyZoom(ZoomFactor factor, QPoint anchor) {
    QScrollBar* h = scroll_->horizontalScrollBar();
    QScrollBar* v = scroll_->verticalScrollBar();
    // The picture point under the anchor, in picture pixels.
    const ZoomFactor old = image_->Zoom();
    const double x = (h->value() + anchor.x()) * double(old.denominator) / double(old.numerator);
    const double y = (v->value() + anchor.y()) * double(old.denominator) / double(old.numerator);
    image_->SetZoom(factor);
    FitToPicture();
    const double scale = double(factor.numerator) / double(factor.denominator);
    h->setValue(qRound(x * scale - anchor.x()));
    v->setValue(qRound(y * scale - anchor.y()));
}

void TChild::Pan(QPoint delta) {
    QScrollBar* h = scroll_->horizontalScrollBar();
    QScrollBar* v = scroll_->verticalScrollBar();
    if (h->maximum() == 0 && v->maximum() == 0) return;  // all of it is in view
    image_->setCursor(Qt::ClosedHandCursor);
    h->setValue(h->value() - delta.x());
    v->setValue(v->value() - delta.y());
}

void TChild::FitToPicture() {
    if (isMaximized()) return;
    // Fit the window to the picture as drawn, as far as the frame's area
    // allows; the scroll bars reach the rest.
    const int frameW = width() - scroll_->viewport()->width();
    const int frameH = height() - scroll_->viewport()->height();
    QSize wanted(image_->width() + frameW, image_->height() + frameH);
    if (mdiArea()) wanted = wanted.boundedTo(mdiArea()->viewport()->size());
    resize(wanted);
}

bool TChild::eventFilter(QObject* watched, QEvent* event) {
    // The sub-window watches its own menu's actions before the view exists.
    if (scroll_ && watched == scroll_->viewport()) {
        if (event->type() == QEvent::Resize && fit_) Refit();
        if (event->type() == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->modifiers() & Qt::ControlModifier) {
                // 120 eighths of a degree make one notch; a fine wheel adds up.
                wheelRest_ += wheel->angleDelta().y();
                const int steps = wheelRest_ / 120;
                wheelRest_ %= 120;
                if (steps != 0) emit wheelZoom(steps, wheel->position().toPoint());
                return true;
            }
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TChild::closeEvent(QCloseEvent* event) {
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

void TChild::FormClose() { emit closed(); }
