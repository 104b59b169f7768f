#include "shell/MDIChild.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>

#include "shell/icons.h"

TChild::TChild(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName("Child");
    setWindowTitle("Child");
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("ImageScroll");
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);

    image_ = new QLabel;
    image_->setObjectName("Image");
    image_->setScaledContents(false);
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // the design size, until the first picture replaces it
    image_->setFixedSize(948, 704);
    scroll_->setWidget(image_);
    setWidget(scroll_);
}

void TChild::ShowPicture(const QImage& picture, const QByteArray& bmpFile) {
    picture_ = picture;
    bmpFile_ = bmpFile;
    image_->setFixedSize(picture.size());
    image_->setPixmap(QPixmap::fromImage(picture));
    if (!isMaximized()) {
        // Fit the window to the picture, as far as the frame's area allows;
        // the scroll bars reach the rest.
        const int frameW = width() - scroll_->viewport()->width();
        const int frameH = height() - scroll_->viewport()->height();
        QSize wanted(picture.width() + frameW, picture.height() + frameH);
        if (mdiArea()) wanted = wanted.boundedTo(mdiArea()->viewport()->size());
        resize(wanted);
    }
}

void TChild::closeEvent(QCloseEvent* event) {
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

void TChild::FormClose() { emit closed(); }
