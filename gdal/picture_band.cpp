#include "gdal/picture_band.h"

#include "intake/load_sequence.h"
#include "intake/picture_file.h"

namespace orbalux::gdal {
namespace {

constexpr std::size_t kBitmapPixelsAt = 54;  // the 24-bit BMP's pixels follow its header

// The picture as it is seen: the BMP keeps its rows bottom-up with equal blue,
// green and red, so its last row is the top one and blue gives the grey level.
void TakeBandFromBitmap(const PictureState& state, PictureBand& band) {
    const int w = state.ImageWidth, h = state.ImageHeight;
    if (w <= 0 || h <= 0 || state.BitmapBuffer.size() < BitmapFileSize(state)) return;
    band.width = w;
    band.height = h;
    band.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    const std::uint8_t* bmp = state.BitmapBuffer.data() + kBitmapPixelsAt;
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* from = bmp + 3 * static_cast<std::size_t>(h - 1 - row) * static_cast<std::size_t>(w);
        std::uint8_t* to = band.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) to[x] = from[3 * x];
    }
}

std::string WithoutTrailingBlanks(const std::string& text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

void TakeMetadata(const PictureState& state, PictureBand& band) {
    auto& items = band.metadata;
    items.emplace_back("LINE_FORMAT", std::to_string(state.LineFormat));
    items.emplace_back("DATA_OFFSET", std::to_string(state.DataOffset));
    items.emplace_back("STRETCH_GAIN", std::to_string(state.StretchGain));
    items.emplace_back("STRETCH_BLACK", std::to_string(state.StretchBlack));
    items.emplace_back("FRAME_LINE_COUNT", std::to_string(state.FrameLineCount));
    items.emplace_back("LOST_LINES", std::to_string(state.LostLineCount));
    for (std::size_t i = 0; i < state.HeaderLines.size(); ++i)
        items.emplace_back("HEADER_" + std::to_string(i + 1), WithoutTrailingBlanks(state.HeaderLines[i]));
}

}  // namespace

PictureBand RenderPictureBand(const std::string& path, const PictureOptions& options) {
    PictureState state;
    const WorkingBuffers buffers(state);
    state.MenuOptions = options.menu;
    state.HorizontalStretchOn = options.horizontalStretch;
    state.CompressMissingLines = options.compressMissingLines;
    LoadPicture(state, path, options.asName.empty() ? FileNamePart(path) : options.asName);
    if (options.brightness != 0 || options.contrast != 0) {
        // As the browser's level buttons and the converter: the levels change,
        // then the whole chain runs again on the decoded picture.
        ReprocessPicture(state, [&options](PictureState& s) {
            s.BrightnessLevel = options.brightness;
            s.ContrastLevel = options.contrast;
        });
    }
    PictureBand band;
    TakeBandFromBitmap(state, band);
    TakeMetadata(state, band);
    return band;
}

}  // namespace orbalux::gdal
