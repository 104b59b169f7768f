#include "cli/contact_sheet.h"

#include "cli/messages.h"
#include "cli/offscreen_gui.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace orbalux::cli {
namespace {

int SheetFontPixels(int thumbSize) { return std::clamp(thumbSize / 13, 9, 28); }

}  // namespace

void ThumbnailOrigin(const SheetLayout& layout, const GreyImage& thumbnail, std::size_t entry, int& x, int& y) {
    const int column = static_cast<int>(entry % static_cast<std::size_t>(layout.columns));
    const int row = static_cast<int>(entry / static_cast<std::size_t>(layout.columns));
    x = column * layout.cellWidth + (layout.cellWidth - thumbnail.width) / 2;
    y = row * layout.cellHeight + layout.padding + (layout.thumbSize - thumbnail.height) / 2;
}

ContactSheet ComposeContactSheet(const std::vector<SheetEntry>& entries, int thumbSize) {
    if (entries.empty()) throw std::runtime_error("no pictures for the contact sheet");
    OffscreenGui gui;
    const QFont font = LabelFont(SheetFontPixels(thumbSize));
    const QFontMetrics metrics(font);

    SheetLayout layout;
    layout.thumbSize = thumbSize;
    layout.padding = std::max(4, thumbSize / 16);
    int widestLabel = 0;
    for (const SheetEntry& entry : entries)
        widestLabel = std::max({widestLabel, metrics.horizontalAdvance(QString::fromStdString(VisibleText(entry.name))),
                                metrics.horizontalAdvance(QString::fromStdString(entry.size))});
    layout.cellWidth = std::max(thumbSize, widestLabel) + 2 * layout.padding;
    layout.labelTop = layout.padding + thumbSize + layout.padding / 2;
    layout.labelHeight = 2 * metrics.height();
    layout.cellHeight = layout.labelTop + layout.labelHeight + layout.padding;
    // Near square: as many columns as rows.
    layout.columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(entries.size()))));
    layout.rows = static_cast<int>((entries.size() + static_cast<std::size_t>(layout.columns) - 1) /
                                   static_cast<std::size_t>(layout.columns));

    QImage canvas(layout.columns * layout.cellWidth, layout.rows * layout.cellHeight, QImage::Format_RGB32);
    if (canvas.isNull()) throw std::runtime_error("the contact sheet is too large");
    canvas.fill(qRgb(kSheetBackground, kSheetBackground, kSheetBackground));

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GreyImage& thumb = entries[i].thumbnail;
        int x0 = 0, y0 = 0;
        ThumbnailOrigin(layout, thumb, i, x0, y0);
        for (int y = 0; y < thumb.height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y0 + y)) + x0;
            const std::uint8_t* src = thumb.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(thumb.width);
            for (int x = 0; x < thumb.width; ++x) line[x] = qRgb(src[x], src[x], src[x]);
        }
    }

    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(QColor(kSheetLabelGrey, kSheetLabelGrey, kSheetLabelGrey));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int column = static_cast<int>(i % static_cast<std::size_t>(layout.columns));
            const int row = static_cast<int>(i / static_cast<std::size_t>(layout.columns));
            const QRect label(column * layout.cellWidth, row * layout.cellHeight + layout.labelTop,
                              layout.cellWidth, layout.labelHeight);
            const QString text = QString::fromStdString(VisibleText(entries[i].name)) + QLatin1Char('\n') +
                                 QString::fromStdString(entries[i].size);
            painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }

    ContactSheet sheet;
    sheet.layout = layout;
    sheet.image.width = canvas.width();
    sheet.image.height = canvas.height();
    sheet.image.pixels.resize(static_cast<std::size_t>(canvas.width()) * static_cast<std::size_t>(canvas.height()));
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        std::uint8_t* dst = sheet.image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas.width());
        for (int x = 0; x < canvas.width(); ++x) dst[x] = static_cast<std::uint8_t>(qGray(line[x]));
    }
    return sheet;
}

}  // namespace orbalux::cli
