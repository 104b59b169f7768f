// The tone stages: the linear mapping of grey levels (behind the catalogue's
// stretch or the picture's own) and the negative.
#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ORBALUX_AVX2_STRETCH 1
#endif

#include "processing/picture_stretch.h"
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

// The percentile stretch ahead of the linear mapping: lo to 0, hi to 255.
struct LevelStretch {
    int lo = 0;
    int hi = 255;
};

#if defined(ORBALUX_AVX2_STRETCH)
#define ORBALUX_AVX2 __attribute__((target("avx2"), always_inline)) inline

// Eight levels 0..hi-lo in 32-bit lanes to their stretched levels.
ORBALUX_AVX2 __m256i StretchEight(__m256i x, __m256 scale, __m256 round) {
    return _mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(_mm256_cvtepi32_ps(x), scale), round));
}

// Sixteen stretched levels in 16-bit lanes through gain and offset (the
// halving step for gain 0).
ORBALUX_AVX2 __m256i LinearSixteen(__m256i v, long long gain, __m256i mul, __m256i add, __m256i one) {
    if (gain == 0) {
        const __m256i half = _mm256_srli_epi16(v, 1);
        return _mm256_add_epi16(_mm256_add_epi16(half, _mm256_and_si256(_mm256_and_si256(v, half), one)), add);
    }
    return _mm256_add_epi16(_mm256_mullo_epi16(v, mul), add);
}

// The percentile stretch and the linear mapping after it, as MapLevels below
// takes them, thirty-two levels at a time on processors that have AVX2.
// Unpacking and packing both work within each 128-bit half, so the levels
// come back in their order. Returns how many levels it mapped.
__attribute__((target("avx2"))) std::size_t MapStretchedWide(std::uint8_t* p, std::size_t count, long long gain,
                                                               std::int16_t offset, std::uint8_t flip, int lo,
                                                               int hi) {
    if (gain > 127 || !__builtin_cpu_supports("avx2")) return 0;
    const __m256i add = _mm256_set1_epi16(offset);
    const __m256i mul = _mm256_set1_epi16(static_cast<std::int16_t>(gain));
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i negate = _mm256_set1_epi8(static_cast<char>(flip));
    const __m256i low = _mm256_set1_epi8(static_cast<char>(lo));
    const __m256i span = _mm256_set1_epi8(static_cast<char>(hi - lo));
    const __m256 scale = _mm256_set1_ps(255.0f / static_cast<float>(hi - lo));
    const __m256 round = _mm256_set1_ps(0.5f + 1.0f / 1024.0f);
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        v = _mm256_min_epu8(_mm256_subs_epu8(v, low), span);
        const __m256i a = _mm256_unpacklo_epi8(v, zero);
        const __m256i b = _mm256_unpackhi_epi8(v, zero);
        const __m256i first = _mm256_packs_epi32(StretchEight(_mm256_unpacklo_epi16(a, zero), scale, round),
                                                 StretchEight(_mm256_unpackhi_epi16(a, zero), scale, round));
        const __m256i second = _mm256_packs_epi32(StretchEight(_mm256_unpacklo_epi16(b, zero), scale, round),
                                                  StretchEight(_mm256_unpackhi_epi16(b, zero), scale, round));
        const __m256i mapped = _mm256_packus_epi16(LinearSixteen(first, gain, mul, add, one),
                                                   LinearSixteen(second, gain, mul, add, one));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i), _mm256_xor_si256(mapped, negate));
    }
    return i;
}
#endif

// The mapping with 16-bit products, sixteen levels at a time where the gain
// keeps them in range (up to 127; higher gains take the table): the products
// and the offset stay within 16 bits, and packing to bytes clamps to 0..255.
// `flip` 0xFF takes the negative of the result in the same pass. With
// kStretched each level first goes through the percentile stretch, taken in
// single precision: (v - lo) * 255 / (hi - lo) lies on a half or at least
// 1/510 away from one, and the float error is far below the 1/1024 added, so
// the rounding is the exact one, halves up.
template <bool kStretched>
void MapLevels(std::uint8_t* p, std::size_t count, long long gain, long long offset, const ToneTable& table,
               std::uint8_t flip, LevelStretch stretch = {}) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if (gain <= 127) {
        // Beyond 255 every level maps to 255; below -32768 every level to 0.
        const auto c = static_cast<std::int16_t>(std::clamp(offset, -32768LL, 255LL));
#if defined(ORBALUX_AVX2_STRETCH)
        if constexpr (kStretched) i = MapStretchedWide(p, count, gain, c, flip, stretch.lo, stretch.hi);
#endif
        const __m128i add = _mm_set1_epi16(c);
        const __m128i mul = _mm_set1_epi16(static_cast<std::int16_t>(gain));
        const __m128i one = _mm_set1_epi16(1);
        const __m128i zero = _mm_setzero_si128();
        const __m128i negate = _mm_set1_epi8(static_cast<char>(flip));
        const __m128i low = _mm_set1_epi8(static_cast<char>(stretch.lo));
        const __m128i span = _mm_set1_epi8(static_cast<char>(stretch.hi - stretch.lo));
        const __m128 scale = _mm_set1_ps(255.0f / static_cast<float>(std::max(stretch.hi - stretch.lo, 1)));
        const __m128 round = _mm_set1_ps(0.5f + 1.0f / 1024.0f);
        auto map = [&](__m128i v) {
            if (gain == 0) {
                const __m128i half = _mm_srli_epi16(v, 1);
                return _mm_add_epi16(_mm_add_epi16(half, _mm_and_si128(_mm_and_si128(v, half), one)), add);
            }
            return _mm_add_epi16(_mm_mullo_epi16(v, mul), add);
        };
        // Eight levels 0..hi-lo in 16-bit lanes to their stretched levels.
        auto stretched = [&](__m128i x) {
            auto four = [&](__m128i x32) {
                return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(x32), scale), round));
            };
            return _mm_packs_epi32(four(_mm_unpacklo_epi16(x, zero)), four(_mm_unpackhi_epi16(x, zero)));
        };
        for (; i + 16 <= count; i += 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            if constexpr (kStretched) v = _mm_min_epu8(_mm_subs_epu8(v, low), span);
            __m128i first = _mm_unpacklo_epi8(v, zero);
            __m128i second = _mm_unpackhi_epi8(v, zero);
            if constexpr (kStretched) {
                first = stretched(first);
                second = stretched(second);
            }
            const __m128i mapped = _mm_packus_epi16(map(first), map(second));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_xor_si128(mapped, negate));
        }
    }
#else
    (void)gain;
    (void)offset;
    (void)stretch;
#endif
    for (; i < count; ++i) p[i] = static_cast<std::uint8_t>(table[p[i]] ^ flip);
}

#if defined(ORBALUX_AVX2_STRETCH)
// The whole table in four registers, sixty-four levels at a time on
// processors that permute bytes (AVX-512 VBMI): the low seven bits of a level
// choose among the first or the last 128 entries, its top bit between the
// two. Returns how many levels it mapped.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) std::size_t MapThroughTableWide(std::uint8_t* p,
                                                                                       std::size_t count,
                                                                                       const ToneTable& table,
                                                                                       std::uint8_t flip) {
    if (!__builtin_cpu_supports("avx512vbmi") || !__builtin_cpu_supports("avx512bw")) return 0;
    const __m512i t0 = _mm512_loadu_si512(table.data());
    const __m512i t1 = _mm512_loadu_si512(table.data() + 64);
    const __m512i t2 = _mm512_loadu_si512(table.data() + 128);
    const __m512i t3 = _mm512_loadu_si512(table.data() + 192);
    const __m512i negate = _mm512_set1_epi8(static_cast<char>(flip));
    std::size_t i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i v = _mm512_loadu_si512(p + i);
        const __m512i low = _mm512_permutex2var_epi8(t0, v, t1);
        const __m512i high = _mm512_permutex2var_epi8(t2, v, t3);
        const __m512i mapped = _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high);
        _mm512_storeu_si512(p + i, _mm512_xor_si512(mapped, negate));
    }
    return i;
}
#endif

// Every pixel through the table, and the negative with `flip` 0xFF.
void MapThroughTable(std::uint8_t* p, std::size_t count, const ToneTable& table, std::uint8_t flip) {
    std::size_t i = 0;
#if defined(ORBALUX_AVX2_STRETCH)
    i = MapThroughTableWide(p, count, table, flip);
#endif
    for (; i < count; ++i) p[i] = static_cast<std::uint8_t>(table[p[i]] ^ flip);
}

// Whether MapThroughTable takes the whole table at the speed of the
// arithmetic passes.
bool TableIsWide() {
#if defined(ORBALUX_AVX2_STRETCH)
    return __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
#else
    return false;
#endif
}

// The picture's own stretch and the linear steps after it, `composed` being
// the two in one table. Without a wide table pass, the percentile stretch
// takes the wide arithmetic passes when they give every level exactly as the
// table does (the first 256 levels go
// through the widest pass, the 16 after them through the next).
void MapOwnStretch(PictureState& state, const WorkingPicture& picture, const ToneTable& composed, long long gain,
                   std::uint8_t flip) {
    const LevelStretch stretch{state.StretchLowLevel, state.StretchHighLevel};
    if (state.ActiveOptions.PercentStretch == 1 && stretch.hi > stretch.lo && !TableIsWide()) {
        std::array<std::uint8_t, 256 + 16> levels{};
        for (std::size_t i = 0; i < levels.size(); ++i) levels[i] = static_cast<std::uint8_t>(i);
        MapLevels<true>(levels.data(), levels.size(), gain, state.BrightnessLevel, composed, 0, stretch);
        bool exact = true;
        for (std::size_t i = 0; i < levels.size(); ++i) exact = exact && levels[i] == composed[i % 256];
        if (exact) {
            MapLevels<true>(picture.pixels, picture.count(), gain, state.BrightnessLevel, composed, flip, stretch);
            return;
        }
    }
    MapThroughTable(picture.pixels, picture.count(), composed, flip);
}

// Stage 6, and with `invert` stage 8 in the same pass.
void MapTones(PictureState& state, bool invert) {
    long long gain = 1;
    long long black = 0;
    // The picture's own stretch takes the catalogue's place; the contrast and
    // brightness steps then act on its levels as on an unstretched picture's.
    LevelMap own{};
    const bool ownStretch = PictureStretchOf(state, own);
    if (!ownStretch && state.ActiveOptions.Stretch == 1) {
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
    if (ownStretch) {
        ToneTable composed{};
        for (int v = 0; v < 256; ++v) composed[static_cast<std::size_t>(v)] = table[own[static_cast<std::size_t>(v)]];
        MapOwnStretch(state, picture, composed, gain, flip);
        return;
    }
    if (IsIdentity(table)) {
        if (invert) ApplyInvert(state);
        return;
    }
    MapLevels<false>(picture.pixels, picture.count(), gain, state.BrightnessLevel - black, table, flip);
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
