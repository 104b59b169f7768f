#include "intake/load_sequence.h"

#include <algorithm>

#include "intake/catalogue.h"
#include "intake/picture_file.h"
#include "processing/stages.h"

namespace orbalux {

void SetOpenDespeckleGeometry(PictureState& state) {
    state.FrameStride = 968;
    state.FrameLines = 700;
    state.SpeckleBrightDelta = 10;
    state.SpeckleDarkDelta = 10;
}

void LoadPicture(PictureState& state, const std::string& path) {
    ReadPictureFile(state, path);
    state.CurrentFileName = FileNamePart(path);
    state.CatalogueName = state.CurrentFileName;
    SelectFileParameters(state);
    state.ActiveOptions = state.MenuOptions;
    state.BrightnessLevel = 0;
    state.ContrastLevel = 0;
    RunProcessingChain(state);
}

namespace {
void CopyDecodedIntoFreshBuffers(PictureState& state) {
    AllocateWorkingBuffers(state);
    std::copy(state.DecodedImage.begin(), state.DecodedImage.end(), state.FileBuffer.begin());
}
}  // namespace

void ReprocessPicture(PictureState& state, const std::function<void(PictureState&)>& change) {
    CopyDecodedIntoFreshBuffers(state);
    if (change) change(state);
    RunProcessingChain(state);
}

void ShowOriginalImage(PictureState& state) {
    CopyDecodedIntoFreshBuffers(state);
    state.ActiveOptions = DisplayOptions{};
    state.BrightnessLevel = 0;
    state.ContrastLevel = 0;
    WriteBitmapHeader(state);
    WriteBitmapPixels(state);
}

std::size_t BitmapFileSize(const PictureState& state) {
    if (state.ImageWidth <= 0 || state.ImageHeight <= 0) return 54;
    return 54 + 3 * static_cast<std::size_t>(state.ImageWidth) * static_cast<std::size_t>(state.ImageHeight);
}

}  // namespace orbalux
