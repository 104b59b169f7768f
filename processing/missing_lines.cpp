#include <algorithm>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/stages.h"
#include "processing/working_picture.h"
#include "state/ascii_names.h"

namespace orbalux {

namespace {

// Which leading characters of the file name pick a probe width.
enum class NameMatch { Exact, Upper };

// Columns: how the name is compared, the prefix, the probe width. In the two
// 816-wide formats a filler row is zero only in its data columns (136 or 33),
// so the probe must stay inside them; every other name probes W - 2 columns.
struct ProbeRow {
    NameMatch match;
    std::string_view prefix;
    int probeWidth;
};

constexpr ProbeRow kProbeRows[] = {
    {NameMatch::Exact, "69_131", 31},
    {NameMatch::Exact, "69_141", 31},
    {NameMatch::Exact, "69_011", 134},
    {NameMatch::Exact, "69_021", 134},
    {NameMatch::Exact, "69_031", 134},
    {NameMatch::Upper, "ED", 134},
    {NameMatch::Upper, "JAC", 134},
};

bool NameStartsWith(std::string_view name, const ProbeRow& row) {
    return row.match == NameMatch::Upper ? StartsWithIgnoringAsciiCase(name, row.prefix) : name.starts_with(row.prefix);
}

int ProbeSum(const std::uint8_t* row, int probeWidth) {
    int sum = 0;
    int x = 1;
#if defined(__SSE2__)
    // Sums of absolute differences from zero: sixteen levels at a time.
    __m128i sums = _mm_setzero_si128();
    for (; x + 15 <= probeWidth; x += 16)
        sums = _mm_add_epi64(sums, _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)),
                                                _mm_setzero_si128()));
    sum = _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
#endif
    for (; x <= probeWidth; ++x) sum += row[x];
    return sum;
}

}  // namespace

int MissingLineProbeWidth(const PictureState& state) {
    for (const ProbeRow& row : kProbeRows)
        if (NameStartsWith(state.CatalogueName, row)) return row.probeWidth;
    return state.ImageWidth - 2;
}

// A row whose probed columns are all 0 between two rows that are not is a
// single lost line; it takes the mean of its neighbours. Rows are visited top
// to bottom, so a filled row already serves as the upper neighbour of the next.
void FillSingleMissingLines(PictureState& state) {
    if (state.ActiveOptions.FillMissingLine != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture || picture.height < 3) return;
    const int width = picture.width;
    // The probe never leaves the row, whatever the name says.
    const int probeWidth = std::min(MissingLineProbeWidth(state), width - 2);
    if (probeWidth <= 0) return;

    int sumAbove = ProbeSum(picture.row(0), probeWidth);
    int sumHere = ProbeSum(picture.row(1), probeWidth);
    for (int y = 1; y <= picture.height - 2; ++y) {
        const int sumBelow = ProbeSum(picture.row(y + 1), probeWidth);
        if (sumHere == 0 && sumAbove != 0 && sumBelow != 0) {
            std::uint8_t* here = picture.row(y);
            const std::uint8_t* above = picture.row(y - 1);
            const std::uint8_t* below = picture.row(y + 1);
            for (int x = 1; x <= width - 2; ++x)
                here[x] = static_cast<std::uint8_t>((above[x] + below[x]) / 2);
            sumHere = ProbeSum(here, probeWidth);
        }
        sumAbove = sumHere;
        sumHere = sumBelow;
    }
}

}  // namespace orbalux
