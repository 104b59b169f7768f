#include "shell/icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

namespace {

const QColor kInk(32, 32, 40);
const QColor kBlue(40, 90, 180);
const QColor kMars(196, 92, 44);
const QColor kMarsLight(236, 150, 90);
const QColor kPaper(250, 250, 244);
const QColor kGreen(40, 140, 60);
const QColor kRed(190, 40, 40);

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({a, b, c}));
}

// A small framed picture with a grey ramp, the base of the picture buttons.
void FramedPicture(QPainter& p, const QRectF& r) {
    QLinearGradient ramp(r.topLeft(), r.bottomRight());
    ramp.setColorAt(0, QColor(230, 230, 230));
    ramp.setColorAt(1, QColor(60, 60, 60));
    p.setPen(QPen(kInk, 1));
    p.setBrush(ramp);
    p.drawRect(r);
}

void DrawArrowHead(QPainter& p, QPointF tip, qreal angleDegrees, qreal size, const QColor& color) {
    const qreal a = qDegreesToRadians(angleDegrees);
    const QPointF back(-std::cos(a) * size, -std::sin(a) * size);
    const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    Triangle(p, tip, tip + back + side, tip + back - side, color);
}

void DrawSun(QPainter& p, qreal radius, int rays, const QColor& color) {
    const QPointF c(8, 8);
    p.setPen(QPen(color, 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < rays; ++i) {
        const qreal a = 2 * M_PI * i / rays;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * (radius + 1.5), c + dir * 7.2);
    }
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(color);
    p.drawEllipse(c, radius, radius);
}

void DrawContrast(QPainter& p, bool up) {
    const QRectF disc(1.5, 1.5, 11, 11);
    p.setPen(QPen(kInk, 1));
    p.setBrush(up ? Qt::white : QColor(170, 170, 170));
    p.drawEllipse(disc);
    p.setBrush(up ? Qt::black : QColor(110, 110, 110));
    p.drawPie(disc, 90 * 16, 180 * 16);
    // the step sign in the corner
    p.setPen(QPen(up ? kGreen : kRed, 2));
    p.drawLine(QPointF(10, 13.5), QPointF(15, 13.5));
    if (up) p.drawLine(QPointF(12.5, 11), QPointF(12.5, 16));
}

void DrawMinimize(QPainter& p, qreal fraction) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    const qreal side = 15 * fraction;
    const QRectF inner(8 - side / 2, 8 - side / 2, side, side);
    FramedPicture(p, inner);
}

void Draw(QPainter& p, ToolImage which) {
    switch (which) {
    case ToolImage::Open: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(220, 180, 80));
        p.drawPolygon(QPolygonF({QPointF(0.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5), QPointF(13.5, 5),
                                 QPointF(13.5, 13.5), QPointF(0.5, 13.5)}));
        p.setBrush(QColor(245, 210, 110));
        p.drawPolygon(QPolygonF({QPointF(2.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(0.5, 13.5)}));
        break;
    }
    case ToolImage::Save: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 1.5, 9, 6));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.fillRect(QRectF(9, 11, 2, 3), kInk);
        break;
    }
    case ToolImage::Print: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 180));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 5));
        p.fillRect(QRectF(12, 8, 2, 1.5), kGreen);
        break;
    }
    case ToolImage::ScanBackward:
        Triangle(p, {1, 8}, {8, 2}, {8, 14}, kBlue);
        Triangle(p, {8, 8}, {15, 2}, {15, 14}, kBlue);
        break;
    case ToolImage::Previous:
        p.fillRect(QRectF(2, 2, 2.5, 12), kBlue);
        Triangle(p, {4.5, 8}, {13, 2}, {13, 14}, kBlue);
        break;
    case ToolImage::ScanStop:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kRed);
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    case ToolImage::Next:
        Triangle(p, {11.5, 8}, {3, 2}, {3, 14}, kBlue);
        p.fillRect(QRectF(11.5, 2, 2.5, 12), kBlue);
        break;
    case ToolImage::ScanForward:
        Triangle(p, {8, 8}, {1, 2}, {1, 14}, kBlue);
        Triangle(p, {15, 8}, {8, 2}, {8, 14}, kBlue);
        break;
    case ToolImage::OriginalImage: {
        FramedPicture(p, QRectF(1.5, 1.5, 13, 13));
        // the undo hook: back to the picture as decoded
        p.setPen(QPen(kGreen, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 8, 8), 90 * 16, 270 * 16);
        DrawArrowHead(p, QPointF(8, 4), 180, 3.2, kGreen);
        break;
    }
    case ToolImage::FlipVertical: {
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.drawLine(QPointF(0, 8), QPointF(16, 8));
        Triangle(p, {4, 1}, {1, 6}, {7, 6}, kBlue);
        Triangle(p, {4, 15}, {1, 10}, {7, 10}, QColor(140, 170, 220));
        p.setPen(QPen(kInk, 1.4));
        p.drawLine(QPointF(12, 2), QPointF(12, 14));
        DrawArrowHead(p, QPointF(12, 1), -90, 3.5, kInk);
        DrawArrowHead(p, QPointF(12, 15), 90, 3.5, kInk);
        break;
    }
    case ToolImage::Rotate: {
        p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 200 * 16, -180 * 16);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 20 * 16, -180 * 16);
        DrawArrowHead(p, QPointF(14, 10), 110, 4, kBlue);
        DrawArrowHead(p, QPointF(2, 6), -70, 4, kBlue);
        break;
    }
    case ToolImage::Despeckle: {
        p.fillRect(QRectF(0, 0, 16, 16), QColor(120, 120, 120));
        p.fillRect(QRectF(3, 3, 1.5, 1.5), Qt::white);
        p.fillRect(QRectF(11, 5, 1.5, 1.5), Qt::black);
        p.fillRect(QRectF(6, 11, 1.5, 1.5), Qt::white);
        p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(14, 14));
        p.drawLine(QPointF(14, 9), QPointF(9, 14));
        break;
    }
    case ToolImage::Stretch: {
        // a narrow grey ramp opened out to the full range
        QLinearGradient narrow(QPointF(5, 0), QPointF(11, 0));
        narrow.setColorAt(0, QColor(100, 100, 100));
        narrow.setColorAt(1, QColor(160, 160, 160));
        p.fillRect(QRectF(5, 1, 6, 5), narrow);
        QLinearGradient wide(QPointF(0, 0), QPointF(16, 0));
        wide.setColorAt(0, Qt::black);
        wide.setColorAt(1, Qt::white);
        p.setPen(QPen(kInk, 1));
        p.setBrush(wide);
        p.drawRect(QRectF(0.5, 10.5, 15, 5));
        p.drawLine(QPointF(5, 6), QPointF(1, 10));
        p.drawLine(QPointF(11, 6), QPointF(15, 10));
        break;
    }
    case ToolImage::MissingLines: {
        for (int y = 1; y < 16; y += 3) {
            const bool gap = y == 7;
            p.fillRect(QRectF(1, y, 14, 2), gap ? QColor(240, 200, 60) : QColor(90, 90, 90));
        }
        p.setPen(QPen(kInk, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 6.5, 15, 3));
        break;
    }
    case ToolImage::ContrastDown:
        DrawContrast(p, false);
        break;
    case ToolImage::ContrastUp:
        DrawContrast(p, true);
        break;
    case ToolImage::BrightnessDown:
        DrawSun(p, 3, 6, QColor(150, 130, 60));
        break;
    case ToolImage::BrightnessUp:
        DrawSun(p, 3.5, 10, QColor(255, 210, 40));
        break;
    case ToolImage::Invert: {
        p.fillRect(QRectF(1, 1, 14, 14), Qt::white);
        Triangle(p, {1, 1}, {15, 1}, {1, 15}, Qt::black);
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(5, 5), 2, 2);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(11, 11), 2, 2);
        break;
    }
    case ToolImage::MinimizeHalf:
        DrawMinimize(p, 0.5);
        break;
    case ToolImage::MinimizeQuarter:
        DrawMinimize(p, 0.25);
        break;
    case ToolImage::ImageInfo: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 4.5), 1.4, 1.4);
        p.drawRect(QRectF(6.8, 7, 2.4, 6));
        break;
    }
    case ToolImage::About: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(250, 230, 120));
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        // a question mark from an arc, a stem and a dot
        p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 3, 6, 5), 180 * 16, -240 * 16);
        p.drawLine(QPointF(8, 8), QPointF(8, 9.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(8, 12.5), 1.1, 1.1);
        break;
    }
    case ToolImage::PercentStretch: {
        // a histogram with its two percentile levels marked in red
        const qreal bars[] = {1, 2, 4, 7, 9, 10, 8, 6, 4, 3, 2, 1};
        for (int i = 0; i < 12; ++i) p.fillRect(QRectF(2 + i, 12 - bars[i], 1, bars[i]), kInk);
        QLinearGradient wide(QPointF(0, 0), QPointF(16, 0));
        wide.setColorAt(0, Qt::black);
        wide.setColorAt(1, Qt::white);
        p.fillRect(QRectF(0, 13, 16, 3), wide);
        p.setPen(QPen(kRed, 1.2));
        p.drawLine(QPointF(3.5, 0.5), QPointF(3.5, 13));
        p.drawLine(QPointF(12.5, 0.5), QPointF(12.5, 13));
        break;
    }
    case ToolImage::Equalize: {
        // the cumulative count rising as a staircase over the grey wedge
        QLinearGradient wide(QPointF(0, 0), QPointF(16, 0));
        wide.setColorAt(0, Qt::black);
        wide.setColorAt(1, Qt::white);
        p.fillRect(QRectF(0, 13, 16, 3), wide);
        p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(1, 12), QPointF(4, 12), QPointF(4, 9), QPointF(7, 9), QPointF(7, 6),
                                  QPointF(10, 6), QPointF(10, 3.5), QPointF(13, 3.5), QPointF(13, 1), QPointF(15.5, 1)}));
        break;
    }
    case ToolImage::Measure: {
        // a dashed selection over a ruler with its ticks
        p.setPen(QPen(kBlue, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 1.5, 11, 7));
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(250, 230, 120));
        p.drawRect(QRectF(0.5, 10.5, 15, 5));
        for (int x = 3; x <= 13; x += 2) p.drawLine(QPointF(x + 0.5, 10.5), QPointF(x + 0.5, x % 4 == 1 ? 13.5 : 12.5));
        break;
    }
    }
}

}  // namespace

QImage DrawToolImage(ToolImage which) {
    QImage image(kToolImageSize, kToolImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, which);
    return image;
}

QIcon ToolIcon(ToolImage which) { return QIcon(QPixmap::fromImage(DrawToolImage(which))); }

QImage DrawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // dark frame of the television picture
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 22, 34));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);

    // the planet, lit from the upper left
    QRadialGradient light(QPointF(24, 22), 34);
    light.setColorAt(0, kMarsLight);
    light.setColorAt(0.7, kMars);
    light.setColorAt(1, QColor(110, 45, 20));
    p.setBrush(light);
    p.drawEllipse(QPointF(32, 33), 23, 23);
    // polar cap and a dark region
    p.setBrush(QColor(245, 240, 235));
    p.drawEllipse(QRectF(24, 9.5, 16, 5));
    p.setBrush(QColor(120, 50, 25, 170));
    p.drawEllipse(QRectF(20, 34, 18, 8));

    // scan lines across the frame
    p.setPen(QPen(QColor(0, 0, 0, 70), 1));
    for (qreal y = 8; y < 60; y += 4) p.drawLine(QPointF(4, y), QPointF(60, y));
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
    return icon;
}

QImage DrawAboutPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(6, 6, 16));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // a fixed field of stars
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 255));
    unsigned seed = 7;
    for (int i = 0; i < 40; ++i) {
        seed = seed * 1103515245u + 12345u;
        const qreal x = (seed >> 8) % static_cast<unsigned>(width);
        seed = seed * 1103515245u + 12345u;
        const qreal y = (seed >> 8) % static_cast<unsigned>(height);
        p.drawEllipse(QPointF(x, y), 0.6, 0.6);
    }

    // the planet's limb in the lower right
    QRadialGradient light(QPointF(width * 0.55, height * 0.55), height * 1.1);
    light.setColorAt(0, kMarsLight);
    light.setColorAt(0.6, kMars);
    light.setColorAt(1, QColor(70, 25, 10));
    p.setBrush(light);
    p.drawEllipse(QPointF(width * 0.95, height * 1.15), height * 0.95, height * 0.95);

    // the spacecraft: a body, two panel pairs and the scan platform
    p.translate(width * 0.3, height * 0.32);
    p.rotate(-18);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(-6, -6, 12, 12));
    p.setBrush(QColor(50, 70, 140));
    for (int side : {-1, 1}) {
        p.drawRect(QRectF(side > 0 ? 8 : -30, -4, 22, 8));
        p.drawRect(QRectF(-4, side > 0 ? 8 : -30, 8, 22));
    }
    p.setPen(QPen(QColor(220, 220, 220), 1.2));
    p.drawLine(QPointF(0, 0), QPointF(10, 14));
    p.setBrush(QColor(240, 240, 240));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(10, 14), 2.5, 2.5);
    return image;
}
