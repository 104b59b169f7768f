// Where a stage finds the working picture. A stage only touches the picture
// when the buffer really holds W x H pixels from the picture origin; a missing
// buffer or a geometry that does not fit leaves the stage with nothing to do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "state/picture_state.h"

namespace orbalux {

struct WorkingPicture {
    std::uint8_t* pixels = nullptr;  // row 0, column 0
    int width = 0;
    int height = 0;

    explicit operator bool() const { return pixels != nullptr; }
    std::size_t count() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
    std::uint8_t* row(int y) const { return pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
};

// True when `buffer` holds a W x H picture at the picture origin.
inline bool PictureFits(const std::vector<std::uint8_t>& buffer, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    const long long needed = kPictureOrigin + static_cast<long long>(width) * height;
    return needed <= static_cast<long long>(buffer.size());
}

// The picture in FileBuffer, or an empty view when it is not all there.
inline WorkingPicture PictureIn(std::vector<std::uint8_t>& buffer, int width, int height) {
    if (!PictureFits(buffer, width, height)) return {};
    return {buffer.data() + kPictureOrigin, width, height};
}

inline WorkingPicture WorkingPictureOf(PictureState& state) {
    return PictureIn(state.FileBuffer, state.ImageWidth, state.ImageHeight);
}

}  // namespace orbalux
