// The display options as data: the chain's switches, the tone levels and the
// picture's own stretches, each with its converter and open-option names.
#include "processing/display_options.h"

#include <array>
#include <charconv>
#if defined(__EMSCRIPTEN__)
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#endif

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

namespace {

// A number as std::from_chars reads it in its general format.
#if defined(__EMSCRIPTEN__)
// Works around the libc++ of older emscripten releases (Debian 12's 3.1.6),
// which has no floating-point std::from_chars: strtod in the C locale (the
// only one a WebAssembly build has), held to what from_chars takes, so no
// leading blank or plus sign and no hexadecimal form.
std::from_chars_result ParseDouble(std::string_view part, double& value) {
    const std::string text(part);
    if (text.empty() || text[0] == ' ' || text[0] == '\t' || text[0] == '\n' || text[0] == '+' ||
        text.find_first_of("xX") != std::string::npos || text.find_first_of("\v\f\r") != std::string::npos)
        return {part.data(), std::errc::invalid_argument};
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return {part.data(), std::errc::invalid_argument};
    const char* stop = part.data() + (end - text.c_str());
    if (errno == ERANGE) return {stop, std::errc::result_out_of_range};
    value = read;
    return {stop, std::errc()};
}

// The same libc++ has no floating-point std::to_chars either: the shortest
// spelling that reads back as the same number, fixed or exponent form
// whichever is shorter (fixed on a tie), as to_chars chooses.
std::string ShortestText(double value) {
    auto fewest = [value](const char* format) {
        char digits[400];
        for (int precision = 0; precision <= 17; ++precision) {
            std::snprintf(digits, sizeof digits, format, precision, value);
            if (std::strtod(digits, nullptr) == value) break;
        }
        return std::string(digits);
    };
    const std::string exponent = fewest("%.*e");
    const std::string fixed = fewest("%.*f");
    return exponent.size() < fixed.size() ? exponent : fixed;
}
#else
std::from_chars_result ParseDouble(std::string_view part, double& value) {
    return std::from_chars(part.data(), part.data() + part.size(), value);
}

// The shortest spelling that reads back as the same number.
std::string ShortestText(double value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}
#endif

}  // namespace

std::optional<PercentilePair> ParsePercentiles(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    auto number = [](std::string_view part) -> std::optional<double> {
        double value = 0;
        const auto [end, ec] = ParseDouble(part, value);
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

std::string PercentilesText(double low, double high) { return ShortestText(low) + "," + ShortestText(high); }

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
