#include "shell/status_texts.h"

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

QString LostLinesText(int lostLines) { return QString("Lost lines: %1").arg(lostLines); }

QString ReadoutText(const PixelReadout& readout) {
    using orbalux::ShownPixelKind;
    if (!readout.frame || readout.kind == ShownPixelKind::Surround) return QString("Grey field");
    const QString place = QString("Line %1, sample %2").arg(readout.frame->line).arg(readout.frame->sample);
    // A level was received only for data; elsewhere say what the pixel is.
    switch (readout.kind) {
        case ShownPixelKind::Data: break;
        case ShownPixelKind::LostLine: return place + ": lost line";
        case ShownPixelKind::PastEnd: return place + ": past the end of the file";
        case ShownPixelKind::FrameTail: return place + ": after the frame's last line";
        case ShownPixelKind::NotPicture:
        case ShownPixelKind::Surround: return place + ": not picture";
    }
    return place + QString(": shown %1, decoded %2").arg(readout.shownLevel).arg(readout.decodedLevel);
}
