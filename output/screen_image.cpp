#include "output/screen_image.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "output/grey_picture.h"

namespace orbalux {
namespace {

// Grey level v becomes the pixel 0xFF v v v.
void SpreadRow(const std::uint8_t* from, int count, std::uint8_t* to) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 16 <= count; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i pairsLow = _mm_unpacklo_epi8(v, v);
        const __m128i pairsHigh = _mm_unpackhi_epi8(v, v);
        __m128i* out = reinterpret_cast<__m128i*>(to + 4 * static_cast<std::size_t>(i));
        _mm_storeu_si128(out, _mm_or_si128(_mm_unpacklo_epi16(pairsLow, pairsLow), opaque));
        _mm_storeu_si128(out + 1, _mm_or_si128(_mm_unpackhi_epi16(pairsLow, pairsLow), opaque));
        _mm_storeu_si128(out + 2, _mm_or_si128(_mm_unpacklo_epi16(pairsHigh, pairsHigh), opaque));
        _mm_storeu_si128(out + 3, _mm_or_si128(_mm_unpackhi_epi16(pairsHigh, pairsHigh), opaque));
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t pixel = 0xFF000000u | 0x010101u * from[i];
        std::memcpy(to + 4 * static_cast<std::size_t>(i), &pixel, 4);
    }
}

}  // namespace

bool WriteScreenImage(const PictureState& state, std::uint8_t* rows, std::ptrdiff_t bytesPerLine) {
    const ShownRows shown = ShownRowsOf(state);
    if (!shown) return false;
    for (int y = 0; y < shown.height; ++y) SpreadRow(shown.row(y), shown.width, rows + y * bytesPerLine);
    return true;
}

}  // namespace orbalux
