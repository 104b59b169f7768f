// The shapes of the Measure mode and what they measure on the shown picture.
#include "session/measure_tool.h"

#include <algorithm>
#include <cstdio>

namespace orbalux {
namespace {

ShownPixel Inside(ShownPixel p, const ShownGeometry& g) {
    return {std::clamp(p.column, 0, std::max(g.width - 1, 0)), std::clamp(p.row, 0, std::max(g.height - 1, 0))};
}

}  // namespace

void MeasureTool::Toggle(MeasureMode mode) { mode_ = mode_ == mode ? MeasureMode::Off : mode; }

void MeasureTool::Clear() {
    mode_ = MeasureMode::Off;
    rectangle_.reset();
    line_.reset();
}

void MeasureTool::Press(ShownPixel at, const ShownGeometry& geometry) {
    const ShownPixel p = Inside(at, geometry);
    if (mode_ == MeasureMode::Rectangle) rectangle_ = Segment{p, p};
    if (mode_ == MeasureMode::Line) line_ = Segment{p, p};
}

void MeasureTool::Drag(ShownPixel at, const ShownGeometry& geometry) {
    const ShownPixel p = Inside(at, geometry);
    if (mode_ == MeasureMode::Rectangle && rectangle_) rectangle_->to = p;
    if (mode_ == MeasureMode::Line && line_) line_->to = p;
}

std::optional<Region> MeasureTool::Rectangle() const {
    if (!rectangle_) return std::nullopt;
    const auto [a, b] = *rectangle_;
    return Region{std::min(a.column, b.column), std::min(a.row, b.row), std::abs(a.column - b.column) + 1,
                  std::abs(a.row - b.row) + 1};
}

std::optional<RegionStatistics> MeasureTool::Statistics(const PictureState& state, bool wholeChain) const {
    const std::optional<Region> region = Rectangle();
    if (!region) return std::nullopt;
    return MeasureRegion(MeasuredPictureOf(state, wholeChain), *region);
}

std::vector<ProfileSample> MeasureTool::Profile(const PictureState& state, bool wholeChain) const {
    if (!line_) return {};
    const MeasuredPicture picture = MeasuredPictureOf(state, wholeChain);
    return MeasureProfile(picture, Inside(line_->from, picture.geometry), Inside(line_->to, picture.geometry));
}

std::optional<Distance> MeasureTool::Length(const PictureState& state, bool wholeChain) const {
    if (!line_) return std::nullopt;
    const ShownGeometry g = ShownGeometryOf(state, wholeChain);
    return MeasureDistance(g, Inside(line_->from, g), Inside(line_->to, g));
}

ShownPixel NearestShownPixel(int x, int y, ZoomFactor zoom, const ShownGeometry& geometry) {
    return Inside({PictureCoordinate(x, zoom), PictureCoordinate(y, zoom)}, geometry);
}

std::string StatisticsText(const RegionStatistics& stats, char separator) {
    std::string text;
    if (separator == ',') text = "measure,value\n";
    for (const auto& [name, value] : RegionStatisticsRows(stats)) {
        // A value with a comma is quoted for CSV.
        const bool quote = separator == ',' && value.find(',') != std::string::npos;
        text += name + separator + (quote ? "\"" + value + "\"" : value) + '\n';
    }
    return text;
}

std::string LineStatusText(const Distance& d) {
    char text[160];
    std::snprintf(text, sizeof text, "Line %.1f px; file %.1f samples x %.1f lines: %.1f", d.shown, d.samples, d.lines,
                  d.file);
    return text;
}

}  // namespace orbalux
