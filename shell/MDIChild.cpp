#include "shell/MDIChild.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QScrollArea>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QWheelEvent>

#include "shell/icons.h"

using orbalux::FitToWindow;
using orbalux::ZoomFactor;

namespace {
// Darker than the grey 160 that the narrow formats and the reductions leave
// around their pictures.
const QColor kSurround(48, 48, 48);
}  // namespace

TChild::TChild(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName("Child");
    // The frame's one document window, always maximised: without a title
    // bar of its own it has no buttons to restore, minimise or close it
    // (File, Close does), and none move into the frame's menu bar.
    setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    setWindowTitle("Child");
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // Nor a window menu: the frame's File, Close holds the close key
    // wherever the focus is, and nothing restores or minimises the window.
    setSystemMenu(nullptr);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("ImageScroll");
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignCenter);
    QPalette surround = scroll_->palette();
    surround.setColor(QPalette::Dark, kSurround);
    scroll_->setPalette(surround);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->viewport()->installEventFilter(this);

    image_ = new TPictureControl;
    scroll_->setWidget(image_);

    // In place of the picture, for an entry of the list that has none.
    failure_ = new QLabel;
    failure_->setObjectName("EntryFailure");
    failure_->setTextFormat(Qt::PlainText);
    failure_->setAlignment(Qt::AlignCenter);
    failure_->setWordWrap(true);
    failure_->setAutoFillBackground(true);
    QPalette failurePalette = failure_->palette();
    failurePalette.setColor(QPalette::Window, kSurround);
    failurePalette.setColor(QPalette::WindowText, QColor(230, 230, 230));
    failure_->setPalette(failurePalette);

    pages_ = new QStackedWidget;
    pages_->addWidget(scroll_);
    pages_->addWidget(failure_);
    setWidget(pages_);
    connect(image_, &TPictureControl::dragged, this, &TChild::Pan);
    connect(image_, &TPictureControl::dragEnded, this, [this] { image_->unsetCursor(); });
}

void TChild::ShowPicture(const QImage& picture) {
    picture_ = picture;
    pages_->setCurrentWidget(scroll_);
    image_->SetPicture(picture);
    if (fit_) Refit();
}

void TChild::ShowFailure(const QString& name, const QString& reason) {
    failure_->setText(QString("%1\n\n%2").arg(name, reason));
    pages_->setCurrentWidget(failure_);
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
    // The room the picture has without scroll bars.
    const QSize area = scroll_->maximumViewportSize() * image_->PixelRatio();
    const ZoomFactor factor = FitToWindow(picture_.width(), picture_.height(), area.width(), area.height());
    if (factor == image_->Zoom()) return;
    ApplyZoom(factor, scroll_->viewport()->rect().center());
    emit zoomChanged(factor);
}

void TChild::ApplyZoom(ZoomFactor factor, QPoint anchor) {
    QScrollBar* h = scroll_->horizontalScrollBar();
    QScrollBar* v = scroll_->verticalScrollBar();
    // The picture point under the anchor, in picture pixels; the scales count
    // device pixels, the view logical ones.
    const double ratio = image_->PixelRatio();
    const ZoomFactor old = image_->Zoom();
    // The picture sits in the middle of a larger view.
    const QPoint onPicture = image_->mapFrom(scroll_->viewport(), anchor);
    const double x = onPicture.x() * ratio * double(old.denominator) / double(old.numerator);
    const double y = onPicture.y() * ratio * double(old.denominator) / double(old.numerator);
    image_->SetZoom(factor);
    const double scale = double(factor.numerator) / double(factor.denominator) / ratio;
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

bool TChild::ShowsFailure() const { return pages_->currentWidget() == failure_; }
