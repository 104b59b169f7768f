#include "cli/picture_info.h"

namespace orbalux::cli {

std::string FormatPictureInfo(const PictureState& state) {
    std::string text;
    auto field = [&text](const char* name, const std::string& value) {
        text += name;
        text += ": ";
        text += value;
        text += '\n';
    };
    field("File", state.CurrentFileName);
    field("DataOffset", std::to_string(state.DataOffset));
    field("LineFormat", std::to_string(state.LineFormat));
    field("StretchGain", std::to_string(state.StretchGain));
    field("StretchBlack", std::to_string(state.StretchBlack));
    field("FrameLineCount", std::to_string(state.FrameLineCount));
    field("Picture", std::to_string(state.ImageWidth) + " x " + std::to_string(state.ImageHeight));
    field("Lost lines", std::to_string(state.LostLineCount));
    text += "Header:\n";
    for (const std::string& line : state.HeaderLines) text += "  " + line + '\n';
    return text;
}

}  // namespace orbalux::cli
