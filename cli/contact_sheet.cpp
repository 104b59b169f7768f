#include "cli/contact_sheet.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace orbalux::cli {
namespace {

// Qt's start-up notes (a missing runtime folder and the like) are no news to
// a converter's user; its critical messages still go through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A Qt GUI application for the length of one sheet, always on the off-screen
// platform: the converter draws into memory only, and runs where there is no
// display at all (a server, a batch job) whatever QT_QPA_PLATFORM says.
// Fonts still come from the system's font configuration.
class GuiSession {
public:
    GuiSession() {
        if (QGuiApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        previousHandler_ = qInstallMessageHandler(QuietQtMessages);
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~GuiSession() {
        if (!app_) return;
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

private:
    QtMessageHandler previousHandler_ = nullptr;
    int argc_ = 1;
    char name_[16] = "orbalux-convert";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

QFont LabelFont(int thumbSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::clamp(thumbSize / 13, 9, 28));
    return font;
}

}  // namespace

void ThumbnailOrigin(const SheetLayout& layout, const GreyImage& thumbnail, std::size_t entry, int& x, int& y) {
    const int column = static_cast<int>(entry % static_cast<std::size_t>(layout.columns));
    const int row = static_cast<int>(entry / static_cast<std::size_t>(layout.columns));
    x = column * layout.cellWidth + (layout.cellWidth - thumbnail.width) / 2;
    y = row * layout.cellHeight + layout.padding + (layout.thumbSize - thumbnail.height) / 2;
}

ContactSheet ComposeContactSheet(const std::vector<SheetEntry>& entries, int thumbSize) {
    if (entries.empty()) throw std::runtime_error("no pictures for the contact sheet");
    GuiSession session;
    const QFont font = LabelFont(thumbSize);
    const QFontMetrics metrics(font);

    SheetLayout layout;
    layout.thumbSize = thumbSize;
    layout.padding = std::max(4, thumbSize / 16);
    int widestLabel = 0;
    for (const SheetEntry& entry : entries)
        widestLabel = std::max({widestLabel, metrics.horizontalAdvance(QString::fromStdString(entry.name)),
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
            const QString text = QString::fromStdString(entries[i].name) + QLatin1Char('\n') +
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
