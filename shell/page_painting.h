// One printed page: the shown picture at the top left corner, sized by the
// page rule. Print and Print Preview both draw through here, so the preview
// is the page exactly as it will print.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;
class QPrinter;

// Where the picture goes on the printer's printable area, in printer dots.
QRect PicturePageRect(const QImage& picture, const QPrinter& printer);

// Draws the picture there and returns the rectangle.
QRect PaintPicturePage(QPainter& painter, const QPrinter& printer, const QImage& picture);
