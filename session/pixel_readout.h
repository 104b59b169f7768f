// From a point of the image window to the picture: which pixel of the shown
// bitmap lies under the pointer, which line and sample of the decoded frame it
// shows, and the grey levels of both.
//
// The chain's own geometry undoes what the stages did to the pixels, so the
// readout always names the frame's own line (line 1 is the first line of the
// file) and sample (sample 1 its first pixel).
#pragma once

#include <functional>
#include <optional>

#include "processing/chain_geometry.h"
#include "session/zoom.h"
#include "state/picture_state.h"

namespace orbalux {

// The bitmap pixel under point (x, y) of the picture control at `zoom`;
// nothing outside the picture.
std::optional<ShownPixel> ShownPixelAt(int x, int y, ZoomFactor zoom, const ShownGeometry& geometry);

// Everything the status bar says about the pointer.
struct PixelReadout {
    ShownPixel shown;
    int shownLevel = 0;
    std::optional<FramePixel> frame;
    int decodedLevel = 0;  // DecodedImage at `frame`; 0 without one
    // What the shown pixel is by the row map: only data has a level worth
    // naming.
    ShownPixelKind kind = ShownPixelKind::Data;
};

// The grey level of a pixel of the bitmap as shown; nothing where the shown
// bitmap has no such pixel.
using ShownLevelAt = std::function<std::optional<int>(ShownPixel)>;

// The readout under point (x, y), or nothing off the picture.
std::optional<PixelReadout> ReadPixel(int x, int y, ZoomFactor zoom, const ShownGeometry& geometry,
                                      const ShownLevelAt& shownLevel, const PictureState& state);

}  // namespace orbalux
