// Where the histogram window marks a percentile stretch: the grey levels lo
// and hi that the stretch found at its two percentiles on the chain's last
// run, and the line of text that names them.
#pragma once

#include <optional>
#include <string>

#include "state/picture_state.h"

namespace orbalux {

struct StretchMarks {
    int low = 0;   // lo: the level at the low percentile, taken to black
    int high = 0;  // hi: the level at the high percentile, taken to white
};

// The marks of the shown picture, when a percentile stretch made it (the
// whole chain ran with the stretch on and found data pixels); none else.
std::optional<StretchMarks> ShownStretchMarks(const PictureState& state, bool wholeChain);

// "Percentile stretch: levels 12 (0.5%) and 200 (99.5%) taken to black and
// white": lo and hi are levels as the stretch received them, not as the
// histogram of the shown picture counts them. Where hi is not above lo the
// stretch left the levels as they were, and the text says so.
std::string StretchMarksText(const StretchMarks& marks, const PictureState& state);

}  // namespace orbalux
