#include <algorithm>
#include <array>
#include <cstdint>

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {
constexpr int kBitmapHeaderSize = 54;

// The 54-byte header of a 24-bit uncompressed bottom-up BMP with no palette;
// the sizes come from the decoder's ten header bytes.
void PutHeader(std::uint8_t* out, const std::array<std::uint8_t, 10>& sizes) {
    std::fill_n(out, kBitmapHeaderSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    std::copy_n(sizes.begin(), 3, out + 2);      // file size
    out[10] = kBitmapHeaderSize;                 // offset of the pixel data
    out[14] = 40;                                // size of the info header
    std::copy_n(sizes.begin() + 3, 2, out + 18);  // width
    std::copy_n(sizes.begin() + 5, 2, out + 22);  // height, positive: bottom-up
    out[26] = 1;                                 // planes
    out[28] = 24;                                // bits per pixel
    std::copy_n(sizes.begin() + 7, 3, out + 34);  // pixel data size
}
}  // namespace

void WriteBitmapHeader(PictureState& state) {
    if (state.BitmapBuffer.size() < kBitmapHeaderSize) return;
    PutHeader(state.BitmapBuffer.data(), state.BitmapHeaderBytes);
}

// Grey level v becomes the blue, green and red bytes v, v, v. Row 0 of the
// picture is the first BMP row, shown at the bottom. Every decoded width is a
// multiple of 4, so rows need no fill bytes.
void WriteBitmapPixels(PictureState& state) {
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    const std::size_t pixels = picture.count();
    if (kBitmapHeaderSize + 3 * pixels > state.BitmapBuffer.size()) return;
    const std::uint8_t* from = picture.pixels;
    std::uint8_t* to = state.BitmapBuffer.data() + kBitmapHeaderSize;
    for (std::size_t i = 0; i < pixels; ++i, to += 3) {
        const std::uint8_t v = from[i];
        to[0] = v;
        to[1] = v;
        to[2] = v;
    }
}

}  // namespace orbalux
