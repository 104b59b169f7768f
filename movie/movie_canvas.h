// Where each picture of a movie lies: pictures of different sizes are centred
// on one canvas as large as the largest of them, on black.
#pragma once

#include <span>

#include "state/grey_image.h"

namespace orbalux {

struct CanvasSize {
    int width = 0;
    int height = 0;
};

// The largest width and the largest height among `sizes` (each side on its
// own: a wide picture and a tall one give a canvas that holds both).
CanvasSize CanvasFor(std::span<const CanvasSize> sizes);

// `picture` centred on a black canvas of `canvas` size into `frame` (its
// memory kept); a picture larger than the canvas is cut about its centre.
void PlaceOnCanvas(const GreyImage& picture, CanvasSize canvas, GreyImage& frame);

}  // namespace orbalux
