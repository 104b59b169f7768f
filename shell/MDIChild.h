// The image window: the document window that shows the current picture, at one
// screen pixel per picture pixel unless zoomed, with scroll bars when the
// window is smaller.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QMdiSubWindow>

#include "shell/picture_control.h"

class QScrollArea;

class TChild : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TChild(QWidget* parent = nullptr);

    // Shows `picture` (decoded from `bmpFile`, the chain's BMP) and keeps both
    // for Save As and Print, which work on the picture as shown.
    void ShowPicture(const QImage& picture, const QByteArray& bmpFile);
    // One of the zoom steps (shell/zoom.h); the picture keeps it when replaced.
    void SetZoom(int step);

    const QImage& Picture() const { return picture_; }
    const QByteArray& BitmapFile() const { return bmpFile_; }
    TPictureControl* Image() const { return image_; }
    QScrollArea* ScrollArea() const { return scroll_; }

signals:
    // Raised by FormClose, before the window goes.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormClose();
    void FitToPicture();

    QScrollArea* scroll_;
    TPictureControl* image_;
    QImage picture_;
    QByteArray bmpFile_;
};
