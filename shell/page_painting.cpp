#include "shell/page_painting.h"

#include <QPainter>
#include <QPrinter>

#include "session/print_layout.h"

using orbalux::FitPictureToPage;
using orbalux::PrintExtent;

QRect PicturePageRect(const QImage& picture, const QPrinter& printer) {
    const PrintExtent extent = FitPictureToPage(picture.width(), picture.height(), printer.width(), printer.height());
    return QRect(0, 0, static_cast<int>(extent.width), static_cast<int>(extent.height));
}

QRect PaintPicturePage(QPainter& painter, const QPrinter& printer, const QImage& picture) {
    const QRect target = PicturePageRect(picture, printer);
    // A PDF would otherwise hold the picture as JPEG, whose blocks and
    // ringing are not in the picture.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    if (!target.isEmpty()) painter.drawImage(target, picture);
    return target;
}
