// The despeckle stages: single pixels far brighter or darker than their
// neighbours replaced by the mean of those that differ, in place.
#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {

// One pass of the speckle filter: a neighbour counts for the bright test when
// the pixel exceeds it by more than brightDelta, for the dark test when it
// exceeds the pixel by more than darkDelta; enough counting neighbours replace
// the pixel by their mean, rounded down.
struct SpeckleRule {
    std::uint8_t brightDelta;
    int brightCount;  // of 8 neighbours
    std::uint8_t darkDelta;
    int darkCount;
};

// The exact test of one pixel against its eight neighbours, in place. The
// dark test sees what the bright test left.
inline void TreatPixel(std::uint8_t* p, std::ptrdiff_t stride, const SpeckleRule& rule) {
    const int n0 = p[-stride - 1], n1 = p[-stride], n2 = p[-stride + 1];
    const int n3 = p[-1], n4 = p[1];
    const int n5 = p[stride - 1], n6 = p[stride], n7 = p[stride + 1];
    int v = *p;

    int hits = 0, sum = 0;
    const int bright = rule.brightDelta;
    // One neighbour a line, the eight alike.
    // clang-format off
    if (v - n0 > bright) { ++hits; sum += n0; }
    if (v - n1 > bright) { ++hits; sum += n1; }
    if (v - n2 > bright) { ++hits; sum += n2; }
    if (v - n3 > bright) { ++hits; sum += n3; }
    if (v - n4 > bright) { ++hits; sum += n4; }
    if (v - n5 > bright) { ++hits; sum += n5; }
    if (v - n6 > bright) { ++hits; sum += n6; }
    if (v - n7 > bright) { ++hits; sum += n7; }
    // clang-format on
    if (hits >= rule.brightCount) {
        v = sum / hits;
        *p = static_cast<std::uint8_t>(v);
    }

    hits = 0;
    sum = 0;
    const int dark = rule.darkDelta;
    // clang-format off
    if (n0 - v > dark) { ++hits; sum += n0; }
    if (n1 - v > dark) { ++hits; sum += n1; }
    if (n2 - v > dark) { ++hits; sum += n2; }
    if (n3 - v > dark) { ++hits; sum += n3; }
    if (n4 - v > dark) { ++hits; sum += n4; }
    if (n5 - v > dark) { ++hits; sum += n5; }
    if (n6 - v > dark) { ++hits; sum += n6; }
    if (n7 - v > dark) { ++hits; sum += n7; }
    // clang-format on
    if (hits >= rule.darkCount) *p = static_cast<std::uint8_t>(sum / hits);
}

// Most pixels of a picture cannot be speckles; a cheap test of sixteen pixels
// at a time marks the few that might, so only they get the exact test. It
// counts, of the seven neighbours that cannot change before the pixel is
// reached (the row above is finished, the row below and the right neighbour
// are untouched), those that would count; the left one, which may have
// changed, could add at most one more. A pixel whose seven fall short by more
// than that can change in neither test, since the dark test then sees the
// level the bright test left alone.
constexpr int kBlock = 16;

#if defined(__SSE2__)
// Bit i set: pixel here[i] might change. `brightSpare` and `darkSpare` are how
// many of the seven may fail the bright or the dark test.
inline unsigned MarkBlock(const std::uint8_t* here, std::ptrdiff_t stride, __m128i brightDelta, __m128i darkDelta,
                          __m128i brightSpare, __m128i darkSpare) {
    auto load = [](const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    const __m128i v = load(here);
    const __m128i brightBelow = _mm_subs_epu8(v, brightDelta);  // a neighbour under this counts
    const __m128i darkAbove = _mm_adds_epu8(v, darkDelta);      // a neighbour over this counts
    const __m128i zero = _mm_setzero_si128();
    __m128i brightFails = zero;
    __m128i darkFails = zero;
    const std::uint8_t* const neighbours[7] = {here - stride - 1, here - stride, here - stride + 1, here + 1,
                                               here + stride - 1, here + stride, here + stride + 1};
    for (const std::uint8_t* at : neighbours) {
        const __m128i n = load(at);
        // Each failing neighbour adds 0xFF, that is subtracts -1.
        brightFails = _mm_sub_epi8(brightFails, _mm_cmpeq_epi8(_mm_subs_epu8(brightBelow, n), zero));
        darkFails = _mm_sub_epi8(darkFails, _mm_cmpeq_epi8(_mm_subs_epu8(n, darkAbove), zero));
    }
    const __m128i brightMay = _mm_cmpeq_epi8(_mm_min_epu8(brightFails, brightSpare), brightFails);
    const __m128i darkMay = _mm_cmpeq_epi8(_mm_min_epu8(darkFails, darkSpare), darkFails);
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(brightMay, darkMay)));
}

// Sixteen pixels at once, from pixel `first` of the block, under a rule that
// asks all eight neighbours (the second pass). Under such a rule at most one
// test fires and either gives the mean of the eight, rounded down: a pixel
// above all its neighbours is left at their mean, which no neighbour exceeds
// by more than the dark delta. Each pixel sees its left neighbour's new level;
// the tests are run again with the new levels shifted in until none of the
// sixteen changes, which settles at least one more pixel from the left each
// time and so gives what the pixel-by-pixel order gives.
inline void TreatSixteenUnderTheFullRule(std::uint8_t* here, std::ptrdiff_t stride, int first, __m128i brightDelta,
                                         __m128i darkDelta) {
    auto load = [](const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    const __m128i v = load(here);
    const __m128i brightBelow = _mm_subs_epu8(v, brightDelta);
    const __m128i darkAbove = _mm_adds_epu8(v, darkDelta);
    const __m128i zero = _mm_setzero_si128();
    auto brightFail = [&](__m128i n) { return _mm_cmpeq_epi8(_mm_subs_epu8(brightBelow, n), zero); };
    auto darkFail = [&](__m128i n) { return _mm_cmpeq_epi8(_mm_subs_epu8(n, darkAbove), zero); };
    // The seven neighbours that no pixel of the block changes.
    const std::uint8_t* const neighbours[7] = {here - stride - 1, here - stride, here - stride + 1, here + 1,
                                               here + stride - 1, here + stride, here + stride + 1};
    __m128i brightFails = zero;
    __m128i darkFails = zero;
    for (const std::uint8_t* at : neighbours) {
        const __m128i n = load(at);
        brightFails = _mm_or_si128(brightFails, brightFail(n));
        darkFails = _mm_or_si128(darkFails, darkFail(n));
    }
    const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i done = _mm_cmplt_epi8(lanes, _mm_set1_epi8(static_cast<char>(first)));
    // Pixels that may change whatever their left neighbour becomes.
    const __m128i may = _mm_andnot_si128(_mm_or_si128(done, _mm_and_si128(brightFails, darkFails)), _mm_set1_epi8(-1));
    const unsigned mayBits = static_cast<unsigned>(_mm_movemask_epi8(may));
    if (mayBits == 0) return;
    __m128i low = zero;
    __m128i high = zero;
    for (const std::uint8_t* at : neighbours) {
        const __m128i n = load(at);
        low = _mm_add_epi16(low, _mm_unpacklo_epi8(n, zero));
        high = _mm_add_epi16(high, _mm_unpackhi_epi8(n, zero));
    }
    const __m128i before = _mm_cvtsi32_si128(here[-1]);  // the block's left neighbour, already treated
    __m128i levels = v;
    for (;;) {
        const __m128i left = _mm_or_si128(_mm_slli_si128(levels, 1), before);
        const __m128i fails =
            _mm_and_si128(_mm_or_si128(brightFails, brightFail(left)), _mm_or_si128(darkFails, darkFail(left)));
        const __m128i fires = _mm_andnot_si128(fails, may);
        const __m128i means = _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(low, _mm_unpacklo_epi8(left, zero)), 3),
                                               _mm_srli_epi16(_mm_add_epi16(high, _mm_unpackhi_epi8(left, zero)), 3));
        const __m128i next = _mm_or_si128(_mm_and_si128(fires, means), _mm_andnot_si128(fires, v));
        const unsigned moved = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(next, levels))) ^ 0xFFFFu;
        if (moved == 0) break;
        levels = next;
        // Only a pixel that may change and whose left neighbour moved can
        // come out differently next time.
        if (((moved << 1) & mayBits) == 0) break;
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(levels, v)) != 0xFFFF)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(here), levels);
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define ORBALUX_WIDE_SPECKLE 1
#define ORBALUX_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// One round of the all-eight tests of sixty-four pixels `v` with the left
// neighbours `left`: `low` and `high` hold the sums of the seven other
// neighbours (16-bit, as unpacked), the masks which of them fail each test.
ORBALUX_AVX512 __attribute__((always_inline)) inline __m512i FullRuleRound(__m512i left, __m512i v, __m512i low,
                                                                           __m512i high, __m512i brightBelow,
                                                                           __m512i darkAbove, __mmask64 brightFails,
                                                                           __mmask64 darkFails, __mmask64 may) {
    const __m512i zero = _mm512_setzero_si512();
    const __mmask64 fails = (brightFails | _mm512_cmple_epu8_mask(brightBelow, left)) &
                            (darkFails | _mm512_cmple_epu8_mask(left, darkAbove));
    const __m512i means =
        _mm512_packus_epi16(_mm512_srli_epi16(_mm512_add_epi16(low, _mm512_unpacklo_epi8(left, zero)), 3),
                            _mm512_srli_epi16(_mm512_add_epi16(high, _mm512_unpackhi_epi8(left, zero)), 3));
    return _mm512_mask_blend_epi8(may & ~fails, v, means);
}

// Sixty-four pixels at once under the all-eight rule, on processors with
// AVX-512 (byte permutes included), as TreatSixteenUnderTheFullRule below
// but without a branch on the picture's content in its first round: a
// tone-stretched picture has pixels that may change in most blocks, and a
// branch on them is a guess missed half the time. The first round takes the
// block's old levels as left neighbours; only where a pixel that moved sits
// left of one that may change does another round run, with the new levels
// shifted in.
ORBALUX_AVX512 inline void TreatSixtyFourUnderTheFullRule(std::uint8_t* here, std::ptrdiff_t stride, int first,
                                                          __m512i brightDelta, __m512i darkDelta, __m512i shiftIndex) {
    const __m512i v = _mm512_loadu_si512(here);
    const __m512i brightBelow = _mm512_subs_epu8(v, brightDelta);  // a neighbour under this counts
    const __m512i darkAbove = _mm512_adds_epu8(v, darkDelta);      // a neighbour over this counts
    const __m512i zero = _mm512_setzero_si512();
    // The seven neighbours that no pixel of the block changes.
    const std::uint8_t* const neighbours[7] = {here - stride - 1, here - stride, here - stride + 1, here + 1,
                                               here + stride - 1, here + stride, here + stride + 1};
    __mmask64 brightFails = 0;
    __mmask64 darkFails = 0;
    __m512i low = zero;
    __m512i high = zero;
    for (const std::uint8_t* at : neighbours) {
        const __m512i n = _mm512_loadu_si512(at);
        brightFails |= _mm512_cmple_epu8_mask(brightBelow, n);
        darkFails |= _mm512_cmple_epu8_mask(n, darkAbove);
        low = _mm512_add_epi16(low, _mm512_unpacklo_epi8(n, zero));
        high = _mm512_add_epi16(high, _mm512_unpackhi_epi8(n, zero));
    }
    const __mmask64 done = (std::uint64_t{1} << first) - 1;
    // Pixels that may change whatever their left neighbour becomes.
    const __mmask64 may = ~(done | (brightFails & darkFails));
    // The old levels with the block's left neighbour, already treated.
    __m512i levels =
        FullRuleRound(_mm512_loadu_si512(here - 1), v, low, high, brightBelow, darkAbove, brightFails, darkFails, may);
    __mmask64 moved = _mm512_cmpneq_epi8_mask(levels, v);
    if (((moved << 1) & may) != 0) {
        const __m512i before = _mm512_maskz_set1_epi8(1, static_cast<char>(here[-1]));
        do {
            const __m512i next = FullRuleRound(_mm512_mask_permutexvar_epi8(before, ~__mmask64{1}, shiftIndex, levels),
                                               v, low, high, brightBelow, darkAbove, brightFails, darkFails, may);
            moved = _mm512_cmpneq_epi8_mask(next, levels);
            levels = next;
        } while (((moved << 1) & may) != 0);
    }
    _mm512_storeu_si512(here, levels);
}

constexpr int kWide = 64;

// Asked outside the function built for these instructions (there the compiler
// may place one of them ahead of any test, which a processor without them
// could not run), once, before main: the processor's features are read first,
// whichever constructor runs before this one.
const bool kHaveWideSpeckle = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
}();

// The all-eight pass over the interior in blocks of sixty-four, for a picture
// at least that wide inside its edges on a processor that has the
// instructions (kHaveWideSpeckle).
ORBALUX_AVX512 void DespeckleFullRuleWide(const WorkingPicture& picture, const SpeckleRule& rule) {
    const int last = picture.width - 2;  // the last interior column
    const std::ptrdiff_t stride = picture.width;
    const __m512i brightDelta = _mm512_set1_epi8(static_cast<char>(rule.brightDelta));
    const __m512i darkDelta = _mm512_set1_epi8(static_cast<char>(rule.darkDelta));
    alignas(64) std::uint8_t previous[kWide];
    for (int i = 0; i < kWide; ++i) previous[i] = static_cast<std::uint8_t>(i == 0 ? 0 : i - 1);
    const __m512i shiftIndex = _mm512_load_si512(previous);  // lane i takes lane i - 1
    for (int y = 1; y <= picture.height - 2; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 1; x <= last; x += kWide) {
            // The last block of a row ends at its last interior pixel; the
            // pixels it shares with the block before are already done.
            const int from = std::min(x, last + 1 - kWide);
            TreatSixtyFourUnderTheFullRule(row + from, stride, x - from, brightDelta, darkDelta, shiftIndex);
        }
    }
}
#endif

// The interior of the picture (rows 1..H-2, columns 1..W-2) in raster order,
// in place: the neighbours above and to the left already carry their new
// values. The first and last row and column are never changed.
void DespecklePass(const WorkingPicture& picture, const SpeckleRule& rule) {
    const int width = picture.width;
    if (width < 3 || picture.height < 3) return;
    const std::ptrdiff_t stride = width;
    const int last = width - 2;  // the last interior column
#if defined(ORBALUX_WIDE_SPECKLE)
    if (rule.brightCount == 8 && rule.darkCount == 8 && last >= kWide && kHaveWideSpeckle)
        return DespeckleFullRuleWide(picture, rule);
#endif
#if defined(__SSE2__)
    const __m128i brightDelta = _mm_set1_epi8(static_cast<char>(rule.brightDelta));
    const __m128i darkDelta = _mm_set1_epi8(static_cast<char>(rule.darkDelta));
    const __m128i brightSpare = _mm_set1_epi8(static_cast<char>(8 - rule.brightCount));
    const __m128i darkSpare = _mm_set1_epi8(static_cast<char>(8 - rule.darkCount));
    const bool allEight = rule.brightCount == 8 && rule.darkCount == 8;
#endif
    for (int y = 1; y <= picture.height - 2; ++y) {
        std::uint8_t* row = picture.row(y);
        int x = 1;
#if defined(__SSE2__)
        if (last >= kBlock) {
            for (; x <= last; x += kBlock) {
                // The last block of a row ends at its last interior pixel; the
                // pixels it shares with the block before are already done.
                const int from = std::min(x, last + 1 - kBlock);
                if (allEight) {
                    TreatSixteenUnderTheFullRule(row + from, stride, x - from, brightDelta, darkDelta);
                    continue;
                }
                unsigned marks = MarkBlock(row + from, stride, brightDelta, darkDelta, brightSpare, darkSpare);
                marks &= ~0u << (x - from);
                while (marks != 0) {
                    TreatPixel(row + from + __builtin_ctz(marks), stride, rule);
                    marks &= marks - 1;
                }
            }
            continue;
        }
#endif
        for (; x <= last; ++x) TreatPixel(row + x, stride, rule);  // too narrow to mark: test them all
    }
}

}  // namespace

void DespeckleFirstPass(PictureState& state) {
    if (state.ActiveOptions.Despeckle != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    const SpeckleRule rule{state.SpeckleBrightDelta, 6, state.SpeckleDarkDelta, 7};
    DespecklePass(picture, rule);
}

void DespeckleSecondPass(PictureState& state) {
    if (state.ActiveOptions.Despeckle != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    constexpr SpeckleRule kRule{5, 8, 5, 8};
    DespecklePass(picture, kRule);
}

}  // namespace orbalux
