// The pinned picture of Compare, kept as its grey levels were shown.
#include "session/picture_compare.h"

#include "output/grey_picture.h"
#include "processing/measurements.h"

namespace orbalux {

bool PictureCompare::Pin(const PictureState& state) {
    GreyImage levels = GreyFromBitmap(state);
    if (levels.pixels.empty()) return false;
    levels_ = std::move(levels);
    name_ = state.CurrentFileName.empty() ? std::string("pinned") : state.CurrentFileName;
    return true;
}

void PictureCompare::End() {
    name_.clear();
    levels_ = {};
}

std::optional<int> PictureCompare::PinnedLevel(ShownPixel at) const {
    if (at.column < 0 || at.row < 0 || at.column >= levels_.width || at.row >= levels_.height) return std::nullopt;
    return levels_.At(at.column, at.row);
}

std::optional<int> ShownLevel(const PictureState& state, ShownPixel at) {
    const ShownLevels levels = WorkingPictureLevels(state);
    if (!levels || at.column < 0 || at.row < 0 || at.column >= levels.width || at.row >= levels.height)
        return std::nullopt;
    return levels.Row(at.row)[at.column];
}

std::string CompareReadoutText(ShownPixel at, const std::string& underName, std::optional<int> underLevel,
                               const std::string& otherName, std::optional<int> otherLevel) {
    const auto level = [](std::optional<int> v) { return v ? std::to_string(*v) : std::string("-"); };
    return "Column " + std::to_string(at.column) + ", row " + std::to_string(at.row) + ": " + underName + " " +
           level(underLevel) + " | " + otherName + " " + level(otherLevel);
}

}  // namespace orbalux
