// The pointer's pixel: through the zoom to the shown bitmap, through the
// chain's geometry to the decoded frame.
#include "session/pixel_readout.h"

#include "processing/measurements.h"
#include "session/zoom.h"

namespace orbalux {

std::optional<ShownPixel> ShownPixelAt(int x, int y, ZoomFactor step, const ShownGeometry& geometry) {
    const ShownPixel p{PictureCoordinate(x, step), PictureCoordinate(y, step)};
    if (p.column < 0 || p.row < 0 || p.column >= geometry.width || p.row >= geometry.height) return std::nullopt;
    return p;
}

std::optional<PixelReadout> ReadPixel(int x, int y, ZoomFactor step, const ShownGeometry& geometry,
                                      const ShownLevelAt& shownLevel, const PictureState& state) {
    const std::optional<ShownPixel> shown = ShownPixelAt(x, y, step, geometry);
    if (!shown) return std::nullopt;
    const std::optional<int> level = shownLevel(*shown);
    if (!level) return std::nullopt;
    PixelReadout readout;
    readout.shown = *shown;
    readout.shownLevel = *level;
    readout.frame = FramePixelOf(geometry, *shown);
    readout.kind = ShownPixelKindOf(geometry, state.DecodedRows, *shown);
    if (readout.frame) readout.decodedLevel = DecodedLevelAt(geometry, state.DecodedImage, *readout.frame).value_or(0);
    return readout;
}

}  // namespace orbalux
