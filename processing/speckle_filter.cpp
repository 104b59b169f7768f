#include <algorithm>
#include <cstdint>

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
    if (v - n0 > bright) { ++hits; sum += n0; }
    if (v - n1 > bright) { ++hits; sum += n1; }
    if (v - n2 > bright) { ++hits; sum += n2; }
    if (v - n3 > bright) { ++hits; sum += n3; }
    if (v - n4 > bright) { ++hits; sum += n4; }
    if (v - n5 > bright) { ++hits; sum += n5; }
    if (v - n6 > bright) { ++hits; sum += n6; }
    if (v - n7 > bright) { ++hits; sum += n7; }
    if (hits >= rule.brightCount) {
        v = sum / hits;
        *p = static_cast<std::uint8_t>(v);
    }

    hits = 0;
    sum = 0;
    const int dark = rule.darkDelta;
    if (n0 - v > dark) { ++hits; sum += n0; }
    if (n1 - v > dark) { ++hits; sum += n1; }
    if (n2 - v > dark) { ++hits; sum += n2; }
    if (n3 - v > dark) { ++hits; sum += n3; }
    if (n4 - v > dark) { ++hits; sum += n4; }
    if (n5 - v > dark) { ++hits; sum += n5; }
    if (n6 - v > dark) { ++hits; sum += n6; }
    if (n7 - v > dark) { ++hits; sum += n7; }
    if (hits >= rule.darkCount) *p = static_cast<std::uint8_t>(sum / hits);
}

// Most pixels of a picture cannot be speckles; a cheap test over a run of a
// row marks the few that might, so only they get the exact test. It uses the
// seven neighbours that cannot change before the pixel is reached (the row
// above is finished, the row below and the right neighbour are untouched) and
// never the left one. With at most one of eight allowed to fail, at least one
// of the seven must count; when all eight must count, all seven must.
constexpr int kRun = 64;

inline std::uint8_t Least(std::uint8_t a, std::uint8_t b) { return a < b ? a : b; }
inline std::uint8_t Greatest(std::uint8_t a, std::uint8_t b) { return a > b ? a : b; }
// How far a lies above b, 0 when it does not.
inline std::uint8_t Excess(std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(Greatest(a, b) - b); }

template <bool AllBright, bool AllDark, int Count>
inline void MarkCandidates(const std::uint8_t* here, const std::uint8_t* above, const std::uint8_t* below,
                           std::uint8_t brightDelta, std::uint8_t darkDelta, std::uint8_t* marks) {
    for (int i = 0; i < Count; ++i) {
        const std::uint8_t lo = Least(Least(Least(above[i - 1], above[i]), Least(above[i + 1], below[i - 1])),
                                      Least(Least(below[i], below[i + 1]), here[i + 1]));
        const std::uint8_t hi = Greatest(Greatest(Greatest(above[i - 1], above[i]), Greatest(above[i + 1], below[i - 1])),
                                         Greatest(Greatest(below[i], below[i + 1]), here[i + 1]));
        const std::uint8_t v = here[i];
        const std::uint8_t brightExcess = Excess(v, AllBright ? hi : lo);
        const std::uint8_t darkExcess = Excess(AllDark ? lo : hi, v);
        marks[i] = static_cast<std::uint8_t>((brightExcess > brightDelta) | (darkExcess > darkDelta));
    }
}

// The interior of the picture (rows 1..H-2, columns 1..W-2) in raster order,
// in place: the neighbours above and to the left already carry their new
// values. The first and last row and column are never changed.
template <bool AllBright, bool AllDark>
void DespecklePass(const WorkingPicture& picture, const SpeckleRule& rule) {
    const int width = picture.width;
    if (width < 3 || picture.height < 3) return;
    const std::ptrdiff_t stride = width;
    std::uint8_t marks[kRun];
    for (int y = 1; y <= picture.height - 2; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x0 = 1; x0 <= width - 2; x0 += kRun) {
            const int count = std::min(kRun, width - 1 - x0);
            // The last run of a row is marked from a full run that ends at the
            // row's last interior pixel; the pixels it shares with the run
            // before are already done and are skipped.
            const int markFrom = count == kRun ? x0 : std::max(1, width - 1 - kRun);
            if (width - 1 - markFrom >= kRun) {
                std::uint8_t* start = row + markFrom;
                MarkCandidates<AllBright, AllDark, kRun>(start, start - stride, start + stride, rule.brightDelta,
                                                         rule.darkDelta, marks);
            } else {
                std::fill_n(marks, kRun, std::uint8_t{1});  // too narrow to mark: test them all
            }
            const std::uint8_t* mark = marks + (x0 - markFrom);
            std::uint8_t* here = row + x0;
            for (int i = 0; i < count; ++i)
                if (mark[i]) TreatPixel(here + i, stride, rule);
        }
    }
}

}  // namespace

void DespeckleFirstPass(PictureState& state) {
    if (state.ActiveOptions.Despeckle != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    const SpeckleRule rule{state.SpeckleBrightDelta, 6, state.SpeckleDarkDelta, 7};
    DespecklePass<false, false>(picture, rule);
}

void DespeckleSecondPass(PictureState& state) {
    if (state.ActiveOptions.Despeckle != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    constexpr SpeckleRule kRule{5, 8, 5, 8};
    DespecklePass<true, true>(picture, kRule);
}

}  // namespace orbalux
