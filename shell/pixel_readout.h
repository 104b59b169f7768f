// From a point of the image window to the picture: which pixel of the shown
// bitmap lies under the pointer, which line and sample of the decoded frame it
// shows, and the grey levels of both.
//
// The chain moves pixels before they are shown: the narrow pictures may be
// widened six times, flip and rotate exchange rows and columns, a reduction
// draws block means on a grey field, and the bitmap is bottom-up, so the
// first decoded line is the bottom row on screen unless flipped. The readout
// undoes all of that and always names the frame's own line (line 1 is the
// first line of the file) and sample (sample 1 its first pixel).
#pragma once

#include <optional>

#include <QImage>

#include "intake/picture_state.h"

// How the shown picture was made from the decoded one.
struct ShownGeometry {
    int width = 0;         // ImageWidth: the bitmap and the frame share it
    int height = 0;        // ImageHeight
    bool widened = false;  // each of the first 136 samples repeated six times
    bool flipped = false;
    bool rotated = false;
    int reduction = 1;     // 1, 2 or 4
};

// The geometry the chain gave the shown picture. `wholeChain` is false after
// "Original Image", which shows the decoded picture with no stage at all.
ShownGeometry ShownGeometryOf(const orbalux::PictureState& state, bool wholeChain = true);

// A pixel of the shown bitmap, counted from its top left corner.
struct ShownPixel {
    int column = 0;
    int row = 0;
    bool operator==(const ShownPixel&) const = default;
};

// A place in the decoded frame, both counted from 1.
struct FramePixel {
    int line = 0;
    int sample = 0;
    bool operator==(const FramePixel&) const = default;
};

// The bitmap pixel under point (x, y) of the picture control at zoom `step`;
// nothing outside the picture.
std::optional<ShownPixel> ShownPixelAt(int x, int y, int step, const ShownGeometry& geometry);

// The frame pixel that a shown pixel comes from; nothing on the grey field
// around a reduced picture. A reduced pixel is the mean of a block of
// reduction x reduction frame pixels: it names the block's first line and
// first sample, whatever the flip or rotate.
std::optional<FramePixel> FramePixelOf(const ShownGeometry& geometry, ShownPixel shown);

// Everything the status bar says about the pointer.
struct PixelReadout {
    ShownPixel shown;
    int shownLevel = 0;
    std::optional<FramePixel> frame;
    int decodedLevel = 0;  // DecodedImage at `frame`; 0 without one
};

// The readout under point (x, y), or nothing off the picture. `picture` is
// the bitmap as shown (grey: equal red, green and blue).
std::optional<PixelReadout> ReadPixel(int x, int y, int step, const ShownGeometry& geometry, const QImage& picture,
                                      const orbalux::PictureState& state);
