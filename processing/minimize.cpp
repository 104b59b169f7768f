// The reduction to 1/2 or 1/4 on a grey field of the frame's full size.
#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/chain_geometry.h"
#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {

// One row of 2 x 2 block means, rounded down, from two picture rows.
void HalveRow(const std::uint8_t* a, const std::uint8_t* b, int count, std::uint8_t* out) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i low = _mm_set1_epi16(0x00FF);
    for (; i + 8 <= count; i += 8) {
        const __m128i ra = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 2 * i));
        const __m128i rb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 2 * i));
        __m128i sum = _mm_add_epi16(_mm_and_si128(ra, low), _mm_srli_epi16(ra, 8));
        sum = _mm_add_epi16(sum, _mm_add_epi16(_mm_and_si128(rb, low), _mm_srli_epi16(rb, 8)));
        sum = _mm_srli_epi16(sum, 2);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(sum, sum));
    }
#endif
    for (; i < count; ++i)
        out[i] = static_cast<std::uint8_t>((a[2 * i] + a[2 * i + 1] + b[2 * i] + b[2 * i + 1]) / 4);
}

// One row of 4 x 4 block means, rounded down, from four picture rows.
void QuarterRow(const std::uint8_t* const rows[4], int count, std::uint8_t* out) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i low = _mm_set1_epi16(0x00FF);
    const __m128i lowWord = _mm_set1_epi32(0x0000FFFF);
    for (; i + 4 <= count; i += 4) {
        __m128i pairs = _mm_setzero_si128();
        for (int r = 0; r < 4; ++r) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r] + 4 * i));
            pairs = _mm_add_epi16(pairs, _mm_add_epi16(_mm_and_si128(v, low), _mm_srli_epi16(v, 8)));
        }
        __m128i sum = _mm_add_epi32(_mm_and_si128(pairs, lowWord), _mm_srli_epi32(pairs, 16));
        sum = _mm_srli_epi32(sum, 4);
        sum = _mm_packs_epi32(sum, sum);
        const int four = _mm_cvtsi128_si32(_mm_packus_epi16(sum, sum));
        std::memcpy(out + i, &four, 4);
    }
#endif
    for (; i < count; ++i) {
        int sum = 0;
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) sum += rows[r][4 * i + k];
        out[i] = static_cast<std::uint8_t>(sum / 16);
    }
}

}  // namespace

// Block means of f x f pixels, rounded down, on a grey field of the frame's
// full size. The field is laid after the negative, so it stays 160.
void ApplyMinimize(PictureState& state) {
    const int factor = ReductionFactor(state.ActiveOptions);
    if (factor == 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;

    // The field overwrites the picture, so the reduced picture is made first,
    // in the spare block, which holds nothing of value during the chain.
    const int width = picture.width;
    const int height = picture.height;
    const int reducedWidth = width / factor;
    const int reducedHeight = height / factor;
    const std::size_t reducedSize = static_cast<std::size_t>(reducedWidth) * static_cast<std::size_t>(reducedHeight);
    if (state.SpareBuffer.size() < reducedSize) state.SpareBuffer.resize(reducedSize);
    std::uint8_t* reduced = state.SpareBuffer.data();
    for (int j = 0; j < reducedHeight; ++j) {
        std::uint8_t* out = reduced + static_cast<std::size_t>(j) * static_cast<std::size_t>(reducedWidth);
        if (factor == 2) {
            HalveRow(picture.row(2 * j), picture.row(2 * j + 1), reducedWidth, out);
        } else {
            const std::uint8_t* rows[4] = {picture.row(4 * j), picture.row(4 * j + 1), picture.row(4 * j + 2),
                                           picture.row(4 * j + 3)};
            QuarterRow(rows, reducedWidth, out);
        }
    }

    std::fill(state.FileBuffer.begin() + kPictureOrigin, state.FileBuffer.end(), kMinimizeBackground);

    // Blocks that would fall outside the frame (only pictures far from the
    // decoded sizes place them so) are left out rather than wrapped.
    const ReducedPlacement place = PlacementOfReduction(factor, width, height);
    const int firstColumn = std::max(0, place.firstColumn);
    const int endColumn = std::min(width, place.firstColumn + reducedWidth);
    if (firstColumn >= endColumn) return;
    for (int j = 0; j < reducedHeight; ++j) {
        const int row = place.firstRow + j;
        if (row < 0 || row >= height) continue;
        const std::uint8_t* from = reduced + static_cast<std::size_t>(j) * static_cast<std::size_t>(reducedWidth);
        std::copy(from + (firstColumn - place.firstColumn), from + (endColumn - place.firstColumn),
                  picture.row(row) + firstColumn);
    }
}

}  // namespace orbalux
