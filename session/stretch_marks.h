// Where the histogram window marks a percentile stretch: the grey levels lo
// and hi that the stretch found at its two percentiles on the chain's last
// run, and the line of text that names them.
#pragma once

#include <optional>
#include <string>

#include "session/grey_histogram.h"
#include "state/picture_state.h"

namespace orbalux {

struct StretchMarks {
    int low = 0;   // lo: the level at the low percentile, taken to black
    int high = 0;  // hi: the level at the high percentile, taken to white
};

// The marks of the shown picture, when a percentile stretch made it (the
// whole chain ran with the stretch on and found data pixels); none else.
std::optional<StretchMarks> ShownStretchMarks(const PictureState& state, bool wholeChain);

// The levels of the data pixels as they entered the percentile stretch that
// made the shown picture (none else): what the histogram window shows under
// the marks, since in the shown picture itself lo and hi have become black
// and white.
std::optional<GreyHistogram> StretchInputHistogram(const PictureState& state, bool wholeChain);

// "Levels entering the percentile stretch: 12 (0.5%) and 200 (99.5%) taken
// to black and white". Where hi is not above lo the stretch left the levels
// as they were, and the text says so.
std::string StretchMarksText(const StretchMarks& marks, const PictureState& state);

}  // namespace orbalux
