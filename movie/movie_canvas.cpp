#include "movie/movie_canvas.h"

#include <algorithm>
#include <cstring>

namespace orbalux {

CanvasSize CanvasFor(std::span<const CanvasSize> sizes) {
    CanvasSize canvas;
    for (const CanvasSize& size : sizes) {
        canvas.width = std::max(canvas.width, size.width);
        canvas.height = std::max(canvas.height, size.height);
    }
    return canvas;
}

void PlaceOnCanvas(const GreyImage& picture, CanvasSize canvas, GreyImage& frame) {
    frame.width = canvas.width;
    frame.height = canvas.height;
    frame.pixels.assign(static_cast<std::size_t>(canvas.width) * static_cast<std::size_t>(canvas.height), 0);
    // Offsets of the picture on the canvas; negative where it is cut.
    const int dx = (canvas.width - picture.width) / 2;
    const int dy = (canvas.height - picture.height) / 2;
    const int x0 = std::max(0, dx), x1 = std::min(canvas.width, dx + picture.width);
    const int y0 = std::max(0, dy), y1 = std::min(canvas.height, dy + picture.height);
    if (x1 <= x0) return;
    for (int y = y0; y < y1; ++y)
        std::memcpy(frame.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas.width) +
                        static_cast<std::size_t>(x0),
                    picture.Row(y - dy) + (x0 - dx), static_cast<std::size_t>(x1 - x0));
}

}  // namespace orbalux
