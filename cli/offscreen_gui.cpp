#include "cli/offscreen_gui.h"

#include <QString>

#include <cstdio>

namespace orbalux::cli {
namespace {

// Qt's start-up notes (a missing runtime folder and the like) are no news to
// a converter's user; its critical messages still go through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler_ = qInstallMessageHandler(QuietQtMessages);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenGui::~OffscreenGui() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previousHandler_);
}

QFont LabelFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace orbalux::cli
