#include "cli/picture_render.h"

#include "intake/load_sequence.h"

namespace orbalux::cli {

void RenderPicture(PictureState& state, const std::string& path, const ChainSettings& chain) {
    state.MenuOptions = chain.menu;
    state.HorizontalStretchOn = chain.horizontalStretch;
    state.CompressMissingLines = chain.compressMissingLines;
    LoadPicture(state, path);  // a load starts both levels from 0

    if (chain.original) {
        ShowOriginalImage(state);
    } else if (chain.brightness != 0 || chain.contrast != 0) {
        // As the browser's level buttons: the levels change, then the whole
        // chain runs again on the decoded picture (the tone stage may raise
        // the contrast level so that the gain stays at least 0).
        ReprocessPicture(state, [&chain](PictureState& s) {
            s.BrightnessLevel = chain.brightness;
            s.ContrastLevel = chain.contrast;
        });
    }
}

}  // namespace orbalux::cli
