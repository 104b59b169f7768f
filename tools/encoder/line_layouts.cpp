#include "tools/encoder/line_layouts.h"

#include <array>
#include <stdexcept>
#include <string>

namespace orbalux::encoder {

namespace {

// Columns: format code, primary marker word, pixel groups, trailing bytes,
// lines per frame (the 999-sample format's common 770; some files hold more).
constexpr std::array<LineLayout, 16> kLayouts{{
    {945, 0x04EC, 315, 0, 702},
    {999, 0x0534, 333, 0, 770},
    {136, 0x00B3, 45, 0, 702},
    {975, 0x0513, 325, 0, 775},
    {960, 0x0500, 320, 0, 775},
    {955, 0x04FA, 318, 2, 702},
    {801, 0x042B, 267, 0, 1025},
    {699, 0x03A6, 233, 2, 950},
    {876, 0x048F, 292, 0, 950},
    {1023, 0x0554, 341, 0, 1503},
    {951, 0x04F3, 317, 0, 1297},
    {849, 0x046E, 283, 2, 850},
    {600, 0x0320, 200, 0, 800},
    {750, 0x03E8, 250, 0, 775},
    {864, 0x0482, 288, 2, 750},
    {34, 0x002E, 11, 2, 702},
}};

}  // namespace

std::span<const LineLayout> AllLineLayouts() { return kLayouts; }

const LineLayout& LineLayoutFor(int lineFormat) {
    for (const LineLayout& layout : kLayouts) {
        if (layout.lineFormat == lineFormat) return layout;
    }
    throw std::invalid_argument("unknown line format " + std::to_string(lineFormat));
}

}  // namespace orbalux::encoder
