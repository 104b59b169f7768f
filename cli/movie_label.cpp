#include "cli/movie_label.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

#include "cli/contact_sheet.h"
#include "cli/messages.h"
#include "cli/offscreen_gui.h"

namespace orbalux::cli {

struct FrameLabeller::Drawing {
    OffscreenGui gui;
    QFont font;
};

FrameLabeller::FrameLabeller(int frameHeight) : drawing_(std::make_unique<Drawing>()) {
    drawing_->font = LabelFont(std::clamp(frameHeight / 30, 9, 28));
}

FrameLabeller::~FrameLabeller() = default;

void FrameLabeller::Label(GreyImage& frame, const std::string& name) const {
    const QString text = QString::fromStdString(VisibleText(name));
    const QFontMetrics metrics(drawing_->font);
    const int pad = std::max(2, metrics.height() / 6);
    const int boxWidth = std::min(metrics.horizontalAdvance(text) + 2 * pad, frame.width - kLabelMargin);
    const int boxHeight = std::min(metrics.height() + 2 * pad, frame.height - kLabelMargin);
    if (boxWidth <= 0 || boxHeight <= 0) return;

    // Only the box is drawn by Qt, then copied into the frame as grey.
    QImage box(boxWidth, boxHeight, QImage::Format_RGB32);
    box.fill(Qt::black);
    {
        QPainter painter(&box);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(drawing_->font);
        painter.setPen(QColor(kSheetLabelGrey, kSheetLabelGrey, kSheetLabelGrey));
        painter.drawText(QPoint(pad, pad + metrics.ascent()), text);
    }
    const int x0 = std::min(kLabelMargin, frame.width - boxWidth);
    const int y0 = frame.height - kLabelMargin - boxHeight;
    for (int y = 0; y < boxHeight; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(box.constScanLine(y));
        std::uint8_t* dst = frame.pixels.data() + static_cast<std::size_t>(y0 + y) * static_cast<std::size_t>(frame.width) +
                            static_cast<std::size_t>(x0);
        for (int x = 0; x < boxWidth; ++x) dst[x] = static_cast<std::uint8_t>(qGray(line[x]));
    }
}

}  // namespace orbalux::cli
