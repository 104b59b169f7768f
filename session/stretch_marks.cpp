// The percentile stretch's marks on the histogram and their words.
#include "session/stretch_marks.h"

#include "processing/display_options.h"

namespace orbalux {

std::optional<StretchMarks> ShownStretchMarks(const PictureState& state, bool wholeChain) {
    // "Original Image" runs no stage; a picture without data pixels has no
    // percentiles.
    if (!wholeChain || state.ActiveOptions.PercentStretch != 1 || state.StretchDataPixels <= 0) return std::nullopt;
    return StretchMarks{state.StretchLowLevel, state.StretchHighLevel};
}

std::optional<GreyHistogram> StretchInputHistogram(const PictureState& state, bool wholeChain) {
    if (!ShownStretchMarks(state, wholeChain)) return std::nullopt;
    return HistogramOfCounts(state.StretchLevelCounts);
}

std::string StretchMarksText(const StretchMarks& marks, const PictureState& state) {
    const std::string percentiles = PercentilesText(state.LowPercentile, state.HighPercentile);
    const std::size_t comma = percentiles.find(',');
    const std::string low = percentiles.substr(0, comma) + "%";
    const std::string high = percentiles.substr(comma + 1) + "%";
    const std::string levels = std::to_string(marks.low) + " (" + low + ") and " + std::to_string(marks.high) + " (" + high + ")";
    if (marks.high <= marks.low) return "Levels entering the percentile stretch: " + levels + " too close, left as they were";
    return "Levels entering the percentile stretch: " + levels + " taken to black and white";
}

}  // namespace orbalux
