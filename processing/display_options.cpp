// The display options as data: the chain's switches, the tone levels and the
// picture's own stretches, each with its converter and open-option names.
#include "processing/display_options.h"

#include <array>
#include <charconv>

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

// The tone stage's own stretches, measured from the picture's data pixels.
// flag                percentiles  converter          open option        help
constexpr std::array<PictureStretchRow, 2> kStretches{{
    {&D::PercentStretch,   true,        "percent-stretch", "PERCENT_STRETCH", "stretch the grey levels between two percentiles of\nthe picture's data pixels to black and white\n(LOW,HIGH: default 0.5,99.5)"},
    {&D::Equalize,         false,       "equalize",        "EQUALIZE",        "equalise the histogram of the picture's data pixels"},
}};

}  // namespace

std::span<const DisplayOptionRow> DisplayOptionTable() { return kOptions; }
std::span<const ToneLevelRow> ToneLevelTable() { return kLevels; }
std::span<const PictureStretchRow> PictureStretchTable() { return kStretches; }

bool IsStretchFlag(int DisplayOptions::*flag) {
    return flag == &D::Stretch || flag == &D::PercentStretch || flag == &D::Equalize;
}

int StretchesChosen(const DisplayOptions& options) {
    return options.Stretch + options.PercentStretch + options.Equalize;
}

void SetChainFlag(DisplayOptions& options, int DisplayOptions::*flag, bool on) {
    if (on && IsStretchFlag(flag)) options.Stretch = options.PercentStretch = options.Equalize = 0;
    options.*flag = on ? 1 : 0;
}

std::optional<PercentilePair> ParsePercentiles(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    auto number = [](std::string_view part) -> std::optional<double> {
        double value = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || ec != std::errc() || end != part.data() + part.size()) return std::nullopt;
        return value;
    };
    const auto low = number(text.substr(0, comma));
    const auto high = number(text.substr(comma + 1));
    if (!low || !high || !PercentilesValid(*low, *high)) return std::nullopt;
    return PercentilePair{*low, *high};
}

bool PercentilesValid(double low, double high) {
    // Written so that NaN fails every test.
    return low >= 0.0 && high <= 100.0 && low < high;
}

std::string PercentilesText(double low, double high) {
    auto shortest = [](double value) {
        char digits[32];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        return std::string(digits, result.ptr);
    };
    return shortest(low) + "," + shortest(high);
}

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
        case SwitchKind::ChainFlag: SetChainFlag(state.MenuOptions, row.flag, on); break;
        case SwitchKind::HorizontalStretch: state.HorizontalStretchOn = on ? 1 : 0; break;
        case SwitchKind::KeepGaps: state.CompressMissingLines = on ? 0 : 1; break;
    }
}

}  // namespace orbalux
