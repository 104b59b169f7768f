// The tone stages: the linear mapping of grey levels and the negative.
#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {

// v * 0.5 rounded to the nearest level, ties to the even one: 1 -> 0, 3 -> 2,
// 5 -> 2, 255 -> 128.
long long HalveTiesToEven(int v) {
    const int half = v >> 1;
    return half + ((v & 1) & (half & 1));
}

using ToneTable = std::array<std::uint8_t, 256>;

// One linear mapping per level, clamped to 0..255. The products are taken in
// 64 bits: the levels have no bound of their own and may be stepped far out.
ToneTable BuildToneTable(long long gain, long long black, long long brightness) {
    ToneTable table{};
    for (int v = 0; v < 256; ++v) {
        long long a = gain == 0 ? HalveTiesToEven(v) : v * gain;
        a = a - black + brightness;
        table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(std::clamp(a, 0LL, 255LL));
    }
    return table;
}

bool IsIdentity(const ToneTable& table) {
    for (int v = 0; v < 256; ++v)
        if (table[static_cast<std::size_t>(v)] != v) return false;
    return true;
}

// The mapping with 16-bit products, sixteen levels at a time where the gain
// keeps them in range (up to 127; higher gains take the table): the products
// and the offset stay within 16 bits, and packing to bytes clamps to 0..255.
// `flip` 0xFF takes the negative of the result in the same pass.
void MapLevels(std::uint8_t* p, std::size_t count, long long gain, long long offset, const ToneTable& table,
               std::uint8_t flip) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if (gain <= 127) {
        // Beyond 255 every level maps to 255; below -32768 every level to 0.
        const auto c = static_cast<std::int16_t>(std::clamp(offset, -32768LL, 255LL));
        const __m128i add = _mm_set1_epi16(c);
        const __m128i mul = _mm_set1_epi16(static_cast<std::int16_t>(gain));
        const __m128i one = _mm_set1_epi16(1);
        const __m128i zero = _mm_setzero_si128();
        const __m128i negate = _mm_set1_epi8(static_cast<char>(flip));
        auto map = [&](__m128i v) {
            if (gain == 0) {
                const __m128i half = _mm_srli_epi16(v, 1);
                return _mm_add_epi16(_mm_add_epi16(half, _mm_and_si128(_mm_and_si128(v, half), one)), add);
            }
            return _mm_add_epi16(_mm_mullo_epi16(v, mul), add);
        };
        for (; i + 16 <= count; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i mapped = _mm_packus_epi16(map(_mm_unpacklo_epi8(v, zero)), map(_mm_unpackhi_epi8(v, zero)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_xor_si128(mapped, negate));
        }
    }
#else
    (void)gain;
    (void)offset;
#endif
    for (; i < count; ++i) p[i] = static_cast<std::uint8_t>(table[p[i]] ^ flip);
}

// Stage 6, and with `invert` stage 8 in the same pass.
void MapTones(PictureState& state, bool invert) {
    long long gain = 1;
    long long black = 0;
    if (state.ActiveOptions.Stretch == 1) {
        gain = static_cast<long long>(state.StretchGain) + 1;
        black = 20LL * state.StretchBlack;
    }
    // The lowest step is the halving one: a contrast level that would take
    // the gain below 0 is raised back, and later steps start from there.
    if (gain + state.ContrastLevel < 0) state.ContrastLevel = static_cast<int>(-gain);
    gain += state.ContrastLevel;

    const ToneTable table = BuildToneTable(gain, black, state.BrightnessLevel);
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    const std::uint8_t flip = invert ? 0xFF : 0x00;
    if (IsIdentity(table)) {
        if (invert) ApplyInvert(state);
        return;
    }
    MapLevels(picture.pixels, picture.count(), gain, state.BrightnessLevel - black, table, flip);
}

}  // namespace

void ApplyToneMapping(PictureState& state) { MapTones(state, false); }

void ApplyToneMappingAndInvert(PictureState& state) {
    if (state.ActiveOptions.Despeckle == 1) {
        ApplyToneMapping(state);
        DespeckleSecondPass(state);
        ApplyInvert(state);
        return;
    }
    MapTones(state, state.ActiveOptions.Invert == 1);
}

void ApplyInvert(PictureState& state) {
    if (state.ActiveOptions.Invert != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    std::uint8_t* p = picture.pixels;
    std::uint8_t* const end = p + picture.count();
    for (; p != end; ++p) *p = static_cast<std::uint8_t>(255 - *p);
}

}  // namespace orbalux
