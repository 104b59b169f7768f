// The picture's own stretches, measured from its data pixels as the tone
// stage receives them: the percentile stretch (the levels at two
// percentiles go to black and white) and equalisation (each level through
// the cumulative count). Either takes the catalogue stretch's place.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "state/picture_state.h"

namespace orbalux {

using LevelCounts = std::array<long long, 256>;
using LevelMap = std::array<std::uint8_t, 256>;

// The grey levels of the working picture's data pixels (rows that are lines
// found within the file, columns that hold samples), counted where the tone
// stage finds them: behind the widening, the fill, flip, rotate and the first
// despeckle pass. Filler rows, rows past the end and the grey field never
// count.
LevelCounts CountDataLevels(const PictureState& state);

// The level at `percentile` (0..100, taken to a thousandth of a per cent) by
// nearest rank: the lowest level at or below which at least that share of
// the `total` counted pixels lies; the lowest level present for 0. 0 when
// nothing was counted.
int LevelAtPercentile(const LevelCounts& counts, long long total, double percentile);

// lo to 0, hi to 255, linearly between (rounded to the nearest level, halves
// up), clipped outside; every level as it is when hi <= lo.
LevelMap PercentileStretchMap(int lo, int hi);

// Each level v to 255 * C(v) / N rounded to the nearest level (halves up),
// C(v) the data pixels at or below v and N all of them; every level as it is
// when nothing was counted.
LevelMap EqualizationMap(const LevelCounts& counts);

// The map of the stretch the active options choose (the percentile stretch
// before equalisation), with what it found recorded in the state
// (StretchLowLevel, StretchHighLevel, StretchDataPixels, StretchLevelCounts);
// false, and the record cleared, when neither is on.
bool PictureStretchOf(PictureState& state, LevelMap& map);

// Which stretch made the picture of the chain's last run, with its values,
// in one line: "percentiles 0.5,99.5 of 12345 data pixels: levels 12 to 231
// to black and white", "equalised over 12345 data pixels", "catalogue: gain
// 2, black level 40", or "none".
std::string StretchDescription(const PictureState& state);

}  // namespace orbalux
