#include "output/grey_picture.h"

#include <algorithm>
#include <cstddef>


namespace orbalux {

GreyImage GreyFromBitmap(const PictureState& state) {
    GreyImage image;
    const int w = state.ImageWidth, h = state.ImageHeight;
    if (w <= 0 || h <= 0 || state.BitmapBuffer.size() < BitmapFileSize(state)) return image;
    image = GreyImage(w, h);
    const std::uint8_t* bmp = state.BitmapBuffer.data() + 54;
    for (int row = 0; row < h; ++row) {
        // Blue, green and red are equal; take blue.
        const std::uint8_t* src = bmp + 3 * static_cast<std::size_t>(h - 1 - row) * static_cast<std::size_t>(w);
        std::uint8_t* dst = image.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) dst[x] = src[3 * x];
    }
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
