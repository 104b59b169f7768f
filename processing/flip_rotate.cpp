// The turns of the picture: rows exchanged top for bottom, the 180-degree
// turn, and the two together, which mirror each row.
#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {

#if defined(__SSE2__)
// Sixteen bytes in reverse order: bytes within words, words within halves,
// then the halves.
inline __m128i Reversed(__m128i v) {
    v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
    return _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2));
}
#endif

// Reverses first..last in place, sixteen bytes from each end at a time.
void ReverseBytes(std::uint8_t* first, std::uint8_t* last) {
#if defined(__SSE2__)
    while (last - first >= 32) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last - 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(first), Reversed(tail));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(last - 16), Reversed(head));
        first += 16;
        last -= 16;
    }
#endif
    std::reverse(first, last);
}

}  // namespace

// Rows exchanged top for bottom; an odd picture keeps its middle row.
void ApplyFlipVertical(PictureState& state) {
    if (state.ActiveOptions.FlipVertical != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(picture.row(top), picture.row(top) + picture.width, picture.row(bottom));
}

// Reversing the order of all pixels turns the picture by 180 degrees:
// (y, x) goes to (H - 1 - y, W - 1 - x).
void ApplyRotate(PictureState& state) {
    if (state.ActiveOptions.Rotate != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    ReverseBytes(picture.pixels, picture.pixels + picture.count());
}

// The flip and then the turn bring every row back to its place, mirrored
// left to right: one pass instead of two.
void ApplyFlipAndRotate(PictureState& state) {
    if (state.ActiveOptions.FlipVertical != 1 || state.ActiveOptions.Rotate != 1) {
        ApplyFlipVertical(state);
        ApplyRotate(state);
        return;
    }
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    for (int y = 0; y < picture.height; ++y) ReverseBytes(picture.row(y), picture.row(y) + picture.width);
}

}  // namespace orbalux
