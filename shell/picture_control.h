// The image window's picture control: the shown bitmap at one of the zoom
// steps, drawn with whole pixels (nearest neighbour, never smoothed) so that
// single pixels can be told apart and measured. It reports where the pointer
// is, in its own coordinates.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "shell/zoom.h"

// The part `target` (screen pixels at `step`) of `picture` enlarged or
// reduced: each screen pixel takes the picture pixel at PictureCoordinate of
// its column and row; screen pixels off the picture are left black.
QImage ZoomedRegion(const QImage& picture, const QRect& target, int step);

class TPictureControl : public QWidget {
    Q_OBJECT
public:
    explicit TPictureControl(QWidget* parent = nullptr);

    // The control takes the zoomed size of the picture.
    void SetPicture(const QImage& picture);
    void SetZoom(int step);
    int Zoom() const { return zoom_; }

    const QImage& Picture() const { return picture_; }
    // The picture at its own size, as loaded.
    const QPixmap& pixmap() const { return pixmap_; }

signals:
    void pointerMoved(QPoint position);
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void FitToZoom();

    QImage picture_;
    QPixmap pixmap_;
    int zoom_ = kActualSizeStep;
};
