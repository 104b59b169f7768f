#include "shell/picture_control.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

using orbalux::IsLadderStep;
using orbalux::PictureCoordinate;
using orbalux::ZoomedLength;
using orbalux::ZoomFactor;

QImage ZoomedRegion(const QImage& picture, const QRect& target, ZoomFactor step) {
    QImage out(target.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    if (picture.isNull() || target.isEmpty()) return out;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    // The source column of every screen column, worked out once per region.
    std::vector<int> columns(static_cast<std::size_t>(target.width()));
    for (int i = 0; i < target.width(); ++i) columns[static_cast<std::size_t>(i)] = PictureCoordinate(target.left() + i, step);
    for (int j = 0; j < target.height(); ++j) {
        const int sy = PictureCoordinate(target.top() + j, step);
        if (sy < 0 || sy >= source.height()) continue;
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        auto* to = reinterpret_cast<QRgb*>(out.scanLine(j));
        for (int i = 0; i < target.width(); ++i) {
            const int sx = columns[static_cast<std::size_t>(i)];
            if (sx >= 0 && sx < source.width()) to[i] = from[sx];
        }
    }
    return out;
}

TPictureControl::TPictureControl(QWidget* parent) : QWidget(parent) {
    setObjectName("Image");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // the design size, until the first picture replaces it
    setFixedSize(948, 704);
}

void TPictureControl::SetPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    pixmap_ = QPixmap::fromImage(picture_);
    pixmap_.setDevicePixelRatio(PixelRatio());
    FitToZoom();
    update();
}

void TPictureControl::SetZoom(ZoomFactor factor) {
    zoom_ = factor;
    FitToZoom();
    update();
}

qreal TPictureControl::PixelRatio() const { return devicePixelRatioF(); }

QPoint TPictureControl::ToDevice(QPointF logical) const {
    const qreal ratio = PixelRatio();
    return QPoint(static_cast<int>(std::floor(logical.x() * ratio)), static_cast<int>(std::floor(logical.y() * ratio)));
}

void TPictureControl::FitToZoom() {
    smooth_ = QImage();
    if (picture_.isNull()) return;
    // The scale counts device pixels: at 100% one picture pixel is one pixel
    // of the screen, whatever its scale factor.
    const QSize size(ZoomedLength(picture_.width(), zoom_), ZoomedLength(picture_.height(), zoom_));
    const qreal ratio = PixelRatio();
    setFixedSize(static_cast<int>(std::ceil(size.width() / ratio)), static_cast<int>(std::ceil(size.height() / ratio)));
    // A reduction, or an enlargement by a factor that is not whole, is drawn
    // smoothed from the whole picture; whole steps keep square pixels.
    const bool whole = zoom_.numerator % zoom_.denominator == 0;
    if (!IsLadderStep(zoom_) && !whole && !size.isEmpty()) {
        smooth_ = picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        smooth_.setDevicePixelRatio(ratio);
    }
}

void TPictureControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = PixelRatio();
    if (!smooth_.isNull()) {
        painter.drawImage(area.topLeft(), smooth_, QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
        return;
    }
    const QRect device(ToDevice(area.topLeft()), QSize(static_cast<int>(std::ceil(area.width() * ratio)),
                                                       static_cast<int>(std::ceil(area.height() * ratio))));
    if (zoom_.numerator == zoom_.denominator) {
        painter.drawPixmap(QPointF(area.topLeft()), pixmap_, QRectF(device));
        return;
    }
    // Only the exposed part is zoomed, so an 8-fold picture never exists
    // whole; it is made in device pixels and drawn one to one.
    QImage region = ZoomedRegion(picture_, device, zoom_);
    region.setDevicePixelRatio(ratio);
    painter.drawImage(area.topLeft(), region);
}

void TPictureControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint();
}

void TPictureControl::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(ToDevice(PointerPosition(event)));
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        // Global positions: the control itself moves under the pointer.
        const QPoint at = event->globalPosition().toPoint();
        emit dragged(at - dragFrom_);
        dragFrom_ = at;
    }
    QWidget::mouseMoveEvent(event);
}

QPointF TPictureControl::PointerPosition(const QMouseEvent* event) {
    // Qt rounds a mouse event's position to whole logical pixels on its way
    // from the window to the widget, which on a screen of two device pixels
    // per logical one passes over every other sample. The window's own
    // event, seen just before, has the position unrounded.
    QWindow* handle = window()->windowHandle();
    if (handle != watched_) {
        if (watched_) watched_->removeEventFilter(this);
        watched_ = handle;
        if (watched_) watched_->installEventFilter(this);
        windowPointer_.reset();
    }
    if (!event) return {};
    if (windowPointer_) {
        const QPointF exact = mapFrom(window(), *windowPointer_);
        // The same move: within the rounding of the widget's position.
        if (std::abs(exact.x() - event->position().x()) <= 1 && std::abs(exact.y() - event->position().y()) <= 1)
            return exact;
    }
    return event->position();
}

bool TPictureControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watched_ && event->type() == QEvent::MouseMove)
        windowPointer_ = static_cast<QMouseEvent*>(event)->position();
    return QWidget::eventFilter(watched, event);
}

void TPictureControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        emit dragEnded();
    }
    QWidget::mouseReleaseEvent(event);
}

void TPictureControl::enterEvent(QEnterEvent* event) {
    // Watching the window from the pointer's first move on.
    PointerPosition(nullptr);
    QWidget::enterEvent(event);
}

void TPictureControl::leaveEvent(QEvent* event) {
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
