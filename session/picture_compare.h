// Compare: the shown picture pinned beside the one shown after it, and the
// pointer readout that names the picture under the pointer and gives the
// level at the same pixel of the other.
#pragma once

#include <optional>
#include <string>

#include "processing/chain_geometry.h"
#include "state/grey_image.h"
#include "state/picture_state.h"

namespace orbalux {

class PictureCompare {
public:
    // Pins the picture shown in `state` as it is shown; false without one.
    bool Pin(const PictureState& state);
    void End();
    bool Active() const { return !name_.empty(); }
    const std::string& PinnedName() const { return name_; }
    // The pinned picture's level at a pixel; nothing off it.
    std::optional<int> PinnedLevel(ShownPixel at) const;

private:
    std::string name_;
    GreyImage levels_;
};

// The shown level of the picture in `state` at a pixel; nothing off it.
std::optional<int> ShownLevel(const PictureState& state, ShownPixel at);

// "Column 120, row 340: 69_011.001 128 | 69_011.002 131", the picture under
// the pointer first; "-" for a pixel the other picture does not have.
std::string CompareReadoutText(ShownPixel at, const std::string& underName, std::optional<int> underLevel,
                               const std::string& otherName, std::optional<int> otherLevel);

}  // namespace orbalux
