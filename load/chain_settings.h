// A picture rendered with settings chosen ahead (the converter's options, the
// GDAL driver's open options): the menu defaults a load copies in, the two
// whole-state switches, and the tone levels stepped after the load as the
// browser's buttons step them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "intake/picture_file.h"
#include "processing/display_options.h"
#include "state/picture_state.h"

namespace orbalux {

struct ChainSettings {
    DisplayOptions menu;
    int horizontalStretch = 0;
    int compressMissingLines = 1;
    int brightness = 0;
    int contrast = 0;
    bool original = false;  // the decoded picture, only the bitmap stages
    bool bitmap = true;     // the BMP written (PictureState::WriteBitmap)
    // The percentile stretch's two percentiles (used when menu.PercentStretch is on).
    double lowPercentile = kDefaultLowPercentile;
    double highPercentile = kDefaultHighPercentile;

    bool operator==(const ChainSettings&) const = default;
};

// Turns the option of `row` on or off in `settings`.
void SetOption(ChainSettings& settings, const DisplayOptionRow& row, bool on);
// The value of a tone level of `row` in `settings`.
int& ToneLevel(ChainSettings& settings, const ToneLevelRow& row);

// True when any display option or level differs from a plain load's.
bool TouchesChain(const ChainSettings& settings);

// Loads the file at `path` with these settings and leaves the finished BMP in
// BitmapBuffer (unless `bitmap` is off); `catalogueName` (when given) is the
// catalogue entry to decode it by. Throws OrbaluxError as LoadPicture does.
void RenderPicture(PictureState& state, const std::string& path, const ChainSettings& settings,
                   const std::string& catalogueName = {});
// The same over a file's bytes already in memory, named by `path`
// (LoadPictureBytes).
void RenderPictureBytes(PictureState& state, std::span<const std::uint8_t> bytes, const std::string& path,
                        const ChainSettings& settings, const std::string& catalogueName = {});
// The same over a file read by `reader` (LoadPictureRead).
void RenderPictureRead(PictureState& state, const PictureBlockReader& reader, const std::string& path,
                       const ChainSettings& settings, const std::string& catalogueName = {});

}  // namespace orbalux
