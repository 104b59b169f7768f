#include <algorithm>
#include <array>
#include <cstdint>

#include "processing/stages.h"
#include "processing/working_picture.h"
#include "state/byte_shuffles.h"

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
    // No BMP asked for: a header would describe the pixels of another picture.
    if (!state.WriteBitmap || state.BitmapBuffer.size() < kBitmapHeaderSize) return;
    PutHeader(state.BitmapBuffer.data(), state.BitmapHeaderBytes);
}

namespace {

// Grey levels to blue, green and red triples, the plain way.
void SpreadGreyPlain(const std::uint8_t* from, std::size_t count, std::uint8_t* to) {
    for (std::size_t i = 0; i < count; ++i, to += 3) {
        const std::uint8_t v = from[i];
        to[0] = v;
        to[1] = v;
        to[2] = v;
    }
}

#if defined(ORBALUX_BYTE_SHUFFLES)
// Sixteen levels at a time where byte shuffles exist (byte_shuffles.h).
ORBALUX_SHUFFLES_TARGET void SpreadGreyShuffled(const std::uint8_t* from, std::size_t count, std::uint8_t* to) {
    const __m128i first = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
    const __m128i second = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
    const __m128i third = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16, to += 48) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi8(v, first));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), _mm_shuffle_epi8(v, second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 32), _mm_shuffle_epi8(v, third));
    }
    SpreadGreyPlain(from + i, count - i, to);
}

const bool kHaveShuffles = HaveByteShuffles();
#endif

void SpreadGrey(const std::uint8_t* from, std::size_t count, std::uint8_t* to) {
#if defined(ORBALUX_BYTE_SHUFFLES)
    if (kHaveShuffles) return SpreadGreyShuffled(from, count, to);
#endif
    SpreadGreyPlain(from, count, to);
}

}  // namespace

// Grey level v becomes the blue, green and red bytes v, v, v. Row 0 of the
// picture is the first BMP row, shown at the bottom. Every decoded width is a
// multiple of 4, so rows need no fill bytes. The rest of the block is cleared,
// as in a fresh one: a load reuses the block of the picture before.
void WriteBitmapPixels(PictureState& state) {
    // Nothing written leaves BitmapDirtyEnd true.
    if (!state.WriteBitmap) return;
    std::size_t written = 0;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (picture && kBitmapHeaderSize + 3 * picture.count() <= state.BitmapBuffer.size()) {
        written = 3 * picture.count();
        SpreadGrey(picture.pixels, picture.count(), state.BitmapBuffer.data() + kBitmapHeaderSize);
    }
    // Behind the picture only what an earlier, larger one left needs clearing.
    const std::size_t end = kBitmapHeaderSize + written;
    const std::size_t dirty = std::min(state.BitmapDirtyEnd, state.BitmapBuffer.size());
    if (dirty > end)
        std::fill(state.BitmapBuffer.begin() + static_cast<std::ptrdiff_t>(end),
                  state.BitmapBuffer.begin() + static_cast<std::ptrdiff_t>(dirty), 0);
    state.BitmapDirtyEnd = end;
}

}  // namespace orbalux
