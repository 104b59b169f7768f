// The image window's picture control: the shown bitmap at a zoom scale, in
// device pixels, so that 100% is one picture pixel per pixel of the screen
// whatever its scale factor. The ladder's steps draw whole pixels (nearest
// neighbour, never smoothed) so that single pixels can be told apart and
// measured; a fitted scale that is not a whole factor draws it smoothed. It
// reports where the pointer is, in device pixels from its corner, and how
// far the mouse drags it.
#pragma once

#include <optional>

#include <QImage>
#include <QPointer>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

#include "session/zoom.h"

// The part `target` (screen pixels at `factor`) of `picture` enlarged or
// reduced: each screen pixel takes the picture pixel at PictureCoordinate of
// its column and row; screen pixels off the picture are left black.
QImage ZoomedRegion(const QImage& picture, const QRect& target, orbalux::ZoomFactor factor);

class TPictureControl : public QWidget {
    Q_OBJECT
public:
    explicit TPictureControl(QWidget* parent = nullptr);

    // The control takes the zoomed size of the picture.
    void SetPicture(const QImage& picture);
    void SetZoom(orbalux::ZoomFactor factor);
    orbalux::ZoomFactor Zoom() const { return zoom_; }
    // Whether this scale is drawn smoothed.
    bool Smoothed() const { return !smooth_.isNull(); }
    // Device pixels per logical pixel of the screen it is on.
    qreal PixelRatio() const;
    // A point of the control in device pixels.
    QPoint ToDevice(QPointF logical) const;

    const QImage& Picture() const { return picture_; }
    // The picture at its own size, as loaded.
    const QPixmap& pixmap() const { return pixmap_; }

signals:
    void pointerMoved(QPoint devicePosition);
    void pointerLeft();
    // The mouse moved by `delta` screen pixels with the left button held.
    void dragged(QPoint delta);
    void dragEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitToZoom();
    // Where the pointer of `event` is in the control, in logical pixels with
    // their fractions; with no event, only starts watching the window.
    QPointF PointerPosition(const QMouseEvent* event);

    QImage picture_;
    QPixmap pixmap_;
    QImage smooth_;  // the whole picture at a reducing fitted scale
    orbalux::ZoomFactor zoom_ = orbalux::StepFactor(orbalux::kActualSizeStep);
    bool dragging_ = false;
    QPoint dragFrom_;  // global position of the last drag step
    QPointer<QWindow> watched_;             // the window whose mouse moves are seen first
    std::optional<QPointF> windowPointer_;  // the last of them, in the window's logical pixels
};
