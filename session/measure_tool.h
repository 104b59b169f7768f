// The browser's measuring: a rectangle or a line drawn in the shown picture's
// pixels, kept while the window zooms, scrolls or steps to the next picture,
// and measured again on whatever picture is shown, with the converter's
// definitions (processing/measurements.h); and the texts the Region and
// Profile windows copy, save and show.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "processing/measurements.h"
#include "session/zoom.h"
#include "state/picture_state.h"

namespace orbalux {

enum class MeasureMode { Off, Rectangle, Line };

class MeasureTool {
public:
    MeasureMode Mode() const { return mode_; }
    // Choosing the mode it is in turns it off; the shapes stay until cleared.
    void Toggle(MeasureMode mode);
    // Esc: no mode, no shape.
    void Clear();

    // A drag in the current mode: from the pixel pressed to the pixel the
    // pointer is over, both kept inside the picture.
    void Press(ShownPixel at, const ShownGeometry& geometry);
    void Drag(ShownPixel at, const ShownGeometry& geometry);

    // The rectangle's corners both included.
    std::optional<Region> Rectangle() const;
    struct Segment {
        ShownPixel from;
        ShownPixel to;
    };
    std::optional<Segment> Line() const { return line_; }
    bool HasShape() const { return rectangle_.has_value() || line_.has_value(); }

    // The rectangle's statistics and the line's profile and length on the
    // shown picture; nothing without the shape. The shape is cut to a
    // smaller picture stepped to.
    std::optional<RegionStatistics> Statistics(const PictureState& state, bool wholeChain) const;
    std::vector<ProfileSample> Profile(const PictureState& state, bool wholeChain) const;
    std::optional<Distance> Length(const PictureState& state, bool wholeChain) const;

private:
    MeasureMode mode_ = MeasureMode::Off;
    std::optional<Segment> rectangle_;  // two opposite corners
    std::optional<Segment> line_;
};

// The pixel of a picture under screen point (x, y) at `zoom`, moved to the
// nearest pixel of the picture when the point lies off it.
ShownPixel NearestShownPixel(int x, int y, ZoomFactor zoom, const ShownGeometry& geometry);

// The statistics as lines "name<separator>value", under a header line
// "measure<separator>value" for CSV.
std::string StatisticsText(const RegionStatistics& stats, char separator);

// The status bar's text for a line: "Line 100.0 px; file 16.7 samples x 80.0
// lines: 81.7".
std::string LineStatusText(const Distance& distance);

}  // namespace orbalux
