#include "output/grey_picture.h"

#include <algorithm>
#include <cstddef>


namespace orbalux {

ShownRows ShownRowsOf(const PictureState& state) {
    const int w = state.ImageWidth, h = state.ImageHeight;
    if (w <= 0 || h <= 0) return {};
    const std::size_t pixels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (state.FileBuffer.size() < kPictureOrigin + pixels || !BitmapHoldsPicture(state)) return {};
    return {state.FileBuffer.data() + kPictureOrigin, w, h};
}

void GreyFromBitmap(const PictureState& state, GreyImage& image) {
    const ShownRows shown = ShownRowsOf(state);
    image.width = shown.width;
    image.height = shown.height;
    // Appended row by row into the kept memory: a resize would first clear
    // what the rows overwrite.
    image.pixels.clear();
    image.pixels.reserve(static_cast<std::size_t>(shown.width) * static_cast<std::size_t>(shown.height));
    for (int y = 0; y < shown.height; ++y)
        image.pixels.insert(image.pixels.end(), shown.row(y), shown.row(y) + shown.width);
}

GreyImage GreyFromBitmap(const PictureState& state) {
    GreyImage image;
    GreyFromBitmap(state, image);
    return image;
}

GreyImage MakeThumbnail(const GreyImage& picture, int longSide) {
    const int w = picture.width, h = picture.height;
    if (w <= 0 || h <= 0 || longSide <= 0) return {};
    if (std::max(w, h) <= longSide) return picture;

    GreyImage thumb;
    const long long longer = std::max(w, h);
    thumb.width = static_cast<int>(std::max(1LL, (static_cast<long long>(w) * longSide + longer / 2) / longer));
    thumb.height = static_cast<int>(std::max(1LL, (static_cast<long long>(h) * longSide + longer / 2) / longer));
    thumb.pixels.resize(static_cast<std::size_t>(thumb.width) * static_cast<std::size_t>(thumb.height));

    // Each thumbnail pixel takes the whole source pixels whose index maps to it.
    std::vector<int> colStart(static_cast<std::size_t>(thumb.width) + 1);
    for (int tx = 0; tx <= thumb.width; ++tx)
        colStart[static_cast<std::size_t>(tx)] = static_cast<int>(static_cast<long long>(tx) * w / thumb.width);
    std::vector<unsigned> sums(static_cast<std::size_t>(thumb.width));
    for (int ty = 0; ty < thumb.height; ++ty) {
        const int y0 = static_cast<int>(static_cast<long long>(ty) * h / thumb.height);
        const int y1 = static_cast<int>(static_cast<long long>(ty + 1) * h / thumb.height);
        std::fill(sums.begin(), sums.end(), 0u);
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
            for (int tx = 0; tx < thumb.width; ++tx)
                for (int x = colStart[static_cast<std::size_t>(tx)]; x < colStart[static_cast<std::size_t>(tx) + 1]; ++x)
                    sums[static_cast<std::size_t>(tx)] += row[x];
        }
        for (int tx = 0; tx < thumb.width; ++tx) {
            const unsigned area = static_cast<unsigned>(
                (y1 - y0) * (colStart[static_cast<std::size_t>(tx) + 1] - colStart[static_cast<std::size_t>(tx)]));
            thumb.pixels[static_cast<std::size_t>(ty) * static_cast<std::size_t>(thumb.width) +
                         static_cast<std::size_t>(tx)] =
                static_cast<std::uint8_t>((sums[static_cast<std::size_t>(tx)] + area / 2) / area);
        }
    }
    return thumb;
}

}  // namespace orbalux
