#include "session/status_texts.h"

#include <QStringList>

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"

QString PictureSizeText(const orbalux::PictureState& state) {
    const QString size = QString("%1 x %2").arg(state.ImageWidth).arg(state.ImageHeight);
    // The samples a line record carries: three per pixel group. The row may
    // be a little wider, padded with the row end.
    const orbalux::FrameFormat* format = orbalux::FindFrameFormat(state.LineFormat);
    if (!format) return size;
    return QString("%1, %2-sample lines").arg(size).arg(3 * format->groups);
}

QString LevelsText(int brightness, int contrast) {
    QStringList parts;
    const auto level = [](int n) { return (n > 0 ? QString("+%1") : QString("%1")).arg(n); };
    if (brightness != 0) parts << "Brightness " + level(brightness);
    if (contrast != 0) parts << "Contrast " + level(contrast);
    return parts.join(", ");
}

QString LostLinesText(int lostLines) { return QString("Lost lines: %1").arg(lostLines); }

QString ReadoutText(const PixelReadout& readout) {
    if (!readout.frame) return QString("Grey field: shown %1").arg(readout.shownLevel);
    return QString("Line %1, sample %2: shown %3, decoded %4")
        .arg(readout.frame->line)
        .arg(readout.frame->sample)
        .arg(readout.shownLevel)
        .arg(readout.decodedLevel);
}
