#include "shell/picture_control.h"

#include <algorithm>
#include <vector>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    FitToZoom();
    update();
}

void TPictureControl::SetZoom(ZoomFactor factor) {
    zoom_ = factor;
    FitToZoom();
    update();
}

void TPictureControl::FitToZoom() {
    smooth_ = QImage();
    if (picture_.isNull()) return;
    const QSize size(ZoomedLength(picture_.width(), zoom_), ZoomedLength(picture_.height(), zoom_));
    setFixedSize(size);
    // Smoothed, the whole reduced picture is smaller than the picture itself.
    if (zoom_.numerator < zoom_.denominator && !IsLadderStep(zoom_) && !size.isEmpty())
        smooth_ = picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TPictureControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (IsLadderStep(zoom_) && zoom_.numerator == zoom_.denominator) {
        painter.drawPixmap(area.topLeft(), pixmap_, area);
        return;
    }
    if (!smooth_.isNull()) {
        painter.drawImage(area.topLeft(), smooth_, area);
        return;
    }
    // Only the exposed part is zoomed, so an 8-fold picture never exists whole.
    painter.drawImage(area.topLeft(), ZoomedRegion(picture_, area, zoom_));
}

void TPictureControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint();
}

void TPictureControl::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(event->position().toPoint());
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        // Global positions: the control itself moves under the pointer.
        const QPoint at = event->globalPosition().toPoint();
        emit dragged(at - dragFrom_);
        dragFrom_ = at;
    }
    QWidget::mouseMoveEvent(event);
}

void TPictureControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        emit dragEnded();
    }
    QWidget::mouseReleaseEvent(event);
}

void TPictureControl::leaveEvent(QEvent* event) {
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
