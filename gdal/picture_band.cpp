#include "gdal/picture_band.h"

#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "output/grey_picture.h"

namespace orbalux::gdal {
namespace {

std::string WithoutTrailingBlanks(const std::string& text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::vector<std::pair<std::string, std::string>> MetadataOf(const PictureState& state) {
    std::vector<std::pair<std::string, std::string>> items = {
        {"LINE_FORMAT", std::to_string(state.LineFormat)},
        {"DATA_OFFSET", std::to_string(state.DataOffset)},
        {"STRETCH_GAIN", std::to_string(state.StretchGain)},
        {"STRETCH_BLACK", std::to_string(state.StretchBlack)},
        {"FRAME_LINE_COUNT", std::to_string(state.FrameLineCount)},
        {"LOST_LINES", std::to_string(state.LostLineCount)},
    };
    for (std::size_t i = 0; i < state.HeaderLines.size(); ++i)
        items.emplace_back("HEADER_" + std::to_string(i + 1), WithoutTrailingBlanks(state.HeaderLines[i]));
    return items;
}

}  // namespace

PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options) {
    PictureState state;
    RenderPicture(state, path, options.chain, options.asName);
    return {GreyFromBitmap(state), MetadataOf(state), LoadWarnings(state)};
}

}  // namespace orbalux::gdal
