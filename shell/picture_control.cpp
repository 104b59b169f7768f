#include "shell/picture_control.h"

#include <algorithm>
#include <vector>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

QImage ZoomedRegion(const QImage& picture, const QRect& target, int step) {
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

void TPictureControl::SetZoom(int step) {
    zoom_ = std::clamp(step, 0, static_cast<int>(kZoomSteps.size()) - 1);
    FitToZoom();
    update();
}

void TPictureControl::FitToZoom() {
    if (picture_.isNull()) return;
    setFixedSize(ZoomedLength(picture_.width(), zoom_), ZoomedLength(picture_.height(), zoom_));
}

void TPictureControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (zoom_ == kActualSizeStep) {
        painter.drawPixmap(area.topLeft(), pixmap_, area);
        return;
    }
    // Only the exposed part is zoomed, so an 8-fold picture never exists whole.
    painter.drawImage(area.topLeft(), ZoomedRegion(picture_, area, zoom_));
}

void TPictureControl::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void TPictureControl::leaveEvent(QEvent* event) {
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
