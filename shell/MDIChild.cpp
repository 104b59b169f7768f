#include "shell/MDIChild.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMdiArea>
#include <QScrollArea>
#include <QScrollBar>

#include "shell/icons.h"

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
    scroll_->setBackgroundRole(QPalette::Dark);

    image_ = new TPictureControl;
    scroll_->setWidget(image_);
    setWidget(scroll_);
}

void TChild::ShowPicture(const QImage& picture, const QByteArray& bmpFile) {
    picture_ = picture;
    bmpFile_ = bmpFile;
    image_->SetPicture(picture);
    FitToPicture();
}

void TChild::SetZoom(int step) {
    image_->SetZoom(step);
    FitToPicture();
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

void TChild::closeEvent(QCloseEvent* event) {
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

void TChild::FormClose() { emit closed(); }
