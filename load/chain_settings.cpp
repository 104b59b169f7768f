#include "load/chain_settings.h"

#include <functional>

#include "load/load_sequence.h"

namespace orbalux {

void SetOption(ChainSettings& settings, const DisplayOptionRow& row, bool on) {
    switch (row.kind) {
        case SwitchKind::ChainFlag: settings.menu.*row.flag = on ? 1 : 0; break;
        case SwitchKind::HorizontalStretch: settings.horizontalStretch = on ? 1 : 0; break;
        case SwitchKind::KeepGaps: settings.compressMissingLines = on ? 0 : 1; break;
    }
}

int& ToneLevel(ChainSettings& settings, const ToneLevelRow& row) {
    return row.level == &PictureState::BrightnessLevel ? settings.brightness : settings.contrast;
}

bool TouchesChain(const ChainSettings& settings) {
    return !(settings.menu == DisplayOptions{}) || settings.horizontalStretch != 0 || settings.brightness != 0 ||
           settings.contrast != 0;
}

namespace {

// A render's steps around the load: the settings a load copies in before it,
// the levels or "Original Image" after it.
void RenderAround(PictureState& state, const ChainSettings& settings, const std::function<void()>& load) {
    state.MenuOptions = settings.menu;
    state.HorizontalStretchOn = settings.horizontalStretch;
    state.CompressMissingLines = settings.compressMissingLines;
    state.LowPercentile = settings.lowPercentile;
    state.HighPercentile = settings.highPercentile;
    state.WriteBitmap = settings.bitmap;
    load();  // a load starts both levels from 0

    if (settings.original) {
        ShowOriginalImage(state);
    } else if (settings.brightness != 0 || settings.contrast != 0) {
        // As the browser's level buttons: the levels change, then the whole
        // chain runs again on the decoded picture (the tone stage may raise
        // the contrast level so that the gain stays at least 0).
        ReprocessPicture(state, [&settings](PictureState& s) {
            s.BrightnessLevel = settings.brightness;
            s.ContrastLevel = settings.contrast;
        });
    }
}

}  // namespace

void RenderPicture(PictureState& state, const std::string& path, const ChainSettings& settings,
                   const std::string& catalogueName) {
    RenderAround(state, settings, [&] { LoadPicture(state, path, catalogueName); });
}

void RenderPictureBytes(PictureState& state, std::span<const std::uint8_t> bytes, const std::string& path,
                        const ChainSettings& settings, const std::string& catalogueName) {
    RenderAround(state, settings, [&] { LoadPictureBytes(state, bytes, path, catalogueName); });
}

void RenderPictureRead(PictureState& state, const PictureBlockReader& reader, const std::string& path,
                       const ChainSettings& settings, const std::string& catalogueName) {
    RenderAround(state, settings, [&] { LoadPictureRead(state, reader, path, catalogueName); });
}

}  // namespace orbalux
