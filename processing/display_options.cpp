#include "processing/display_options.h"

#include <algorithm>
#include <array>

namespace orbalux {
namespace {

using D = DisplayOptions;
using K = SwitchKind;

// kind                  flag                 converter              open option           help
constexpr std::array<DisplayOptionRow, 10> kOptions{{
    {K::ChainFlag,         &D::Stretch,         "stretch",             "STRETCH",            "per-file contrast stretch"},
    {K::ChainFlag,         &D::Despeckle,       "despeckle",           "DESPECKLE",          "remove single bright and dark pixels"},
    {K::ChainFlag,         &D::FlipVertical,    "flip",                "FLIP",               "flip vertically"},
    {K::ChainFlag,         &D::Rotate,          "rotate",              "ROTATE",             "turn by 180 degrees"},
    {K::ChainFlag,         &D::Invert,          "invert",              "INVERT",             "negative"},
    {K::ChainFlag,         &D::MinimizeHalf,    "half",                "HALF",               "reduce to 1/2 on a grey field"},
    {K::ChainFlag,         &D::MinimizeQuarter, "quarter",             "QUARTER",            "reduce to 1/4 on a grey field"},
    {K::ChainFlag,         &D::FillMissingLine, "fill-missing",        "FILL_MISSING",       "fill single missing lines"},
    {K::HorizontalStretch, nullptr,             "horizontal-stretch",  "HORIZONTAL_STRETCH", "widen the 136-sample pictures six times"},
    {K::KeepGaps,          nullptr,             "keep-gaps",           "KEEP_GAPS",          "show two or more missing lines as blank rows"},
}};

// level                            converter     open option   help
constexpr std::array<ToneLevelRow, 2> kLevels{{
    {&PictureState::BrightnessLevel, "brightness", "BRIGHTNESS", "brightness level (the browser steps it by 20)"},
    {&PictureState::ContrastLevel,   "contrast",   "CONTRAST",   "contrast level, added to the gain"},
}};

template <class Field>
const DisplayOptionRow* FindRow(std::string_view name, Field field) {
    const auto it = std::find_if(kOptions.begin(), kOptions.end(),
                                 [&](const DisplayOptionRow& row) { return !name.empty() && row.*field == name; });
    return it == kOptions.end() ? nullptr : &*it;
}

}  // namespace

std::span<const DisplayOptionRow> DisplayOptionTable() { return kOptions; }
std::span<const ToneLevelRow> ToneLevelTable() { return kLevels; }

bool MenuOptionOn(const PictureState& state, const DisplayOptionRow& row) {
    switch (row.kind) {
        case SwitchKind::ChainFlag: return state.MenuOptions.*row.flag == 1;
        case SwitchKind::HorizontalStretch: return state.HorizontalStretchOn == 1;
        case SwitchKind::KeepGaps: return state.CompressMissingLines == 0;
    }
    return false;
}

void SetMenuOption(PictureState& state, const DisplayOptionRow& row, bool on) {
    switch (row.kind) {
        case SwitchKind::ChainFlag: state.MenuOptions.*row.flag = on ? 1 : 0; break;
        case SwitchKind::HorizontalStretch: state.HorizontalStretchOn = on ? 1 : 0; break;
        case SwitchKind::KeepGaps: state.CompressMissingLines = on ? 0 : 1; break;
    }
}

const DisplayOptionRow* OptionByCliName(std::string_view name) { return FindRow(name, &DisplayOptionRow::cliOption); }

}  // namespace orbalux
