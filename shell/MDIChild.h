// The image window: the document window that shows the current picture at one
// screen pixel per picture pixel, with scroll bars when the window is smaller.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QMdiSubWindow>

class QLabel;
class QScrollArea;

class TChild : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TChild(QWidget* parent = nullptr);

    // Shows `picture` (decoded from `bmpFile`, the chain's BMP) and keeps both
    // for Save As and Print, which work on the picture as shown.
    void ShowPicture(const QImage& picture, const QByteArray& bmpFile);

    const QImage& Picture() const { return picture_; }
    const QByteArray& BitmapFile() const { return bmpFile_; }
    QLabel* Image() const { return image_; }
    QScrollArea* ScrollArea() const { return scroll_; }

signals:
    // Raised by FormClose, before the window goes.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormClose();

    QScrollArea* scroll_;
    QLabel* image_;
    QImage picture_;
    QByteArray bmpFile_;
};
