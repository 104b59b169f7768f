// The status bar's texts, in the words of the picture and its lines.
#include "session/status_texts.h"

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"

namespace orbalux {

std::string PictureSizeText(const PictureState& state) {
    const std::string size = std::to_string(state.ImageWidth) + " x " + std::to_string(state.ImageHeight);
    // The samples a line record carries: three per pixel group. The row may
    // be a little wider, padded with the row end.
    const FrameFormat* format = FindFrameFormat(state.LineFormat);
    if (!format) return size;
    return size + ", " + std::to_string(3 * format->groups) + "-sample lines";
}

std::string LevelsText(int brightness, int contrast) {
    const auto level = [](int n) { return std::string(n > 0 ? "+" : "") + std::to_string(n); };
    std::string text;
    if (brightness != 0) text = "Brightness " + level(brightness);
    if (contrast != 0) text += (text.empty() ? "" : ", ") + std::string("Contrast ") + level(contrast);
    return text;
}

std::string LostLinesText(int lostLines) { return "Lost lines: " + std::to_string(lostLines); }

std::string ReadoutText(const PixelReadout& readout) {
    if (!readout.frame || readout.kind == ShownPixelKind::Surround) return "Grey field";
    const std::string place =
        "Line " + std::to_string(readout.frame->line) + ", sample " + std::to_string(readout.frame->sample);
    // A level was received only for data; elsewhere say what the pixel is.
    switch (readout.kind) {
        case ShownPixelKind::Data: break;
        case ShownPixelKind::LostLine: return place + ": lost line";
        case ShownPixelKind::PastEnd: return place + ": past the end of the file";
        case ShownPixelKind::FrameTail: return place + ": after the frame's last line";
        case ShownPixelKind::NotPicture:
        case ShownPixelKind::Surround: return place + ": not picture";
    }
    return place + ": shown " + std::to_string(readout.shownLevel) + ", decoded " + std::to_string(readout.decodedLevel);
}

}  // namespace orbalux
