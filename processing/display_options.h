// The display options as one table: each switch of the chain with the names it
// goes by on the converter's command line and among the GDAL driver's open
// options. The browser's menus (which pair each row with their own widgets),
// the converter's parser and the driver all read this table; none lists the
// options again.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "state/picture_state.h"

namespace orbalux {

// Where an option's switch lives: one of the eight chain flags of
// DisplayOptions, or one of the two whole-state switches.
enum class SwitchKind {
    ChainFlag,          // MenuOptions / ActiveOptions .*flag
    HorizontalStretch,  // HorizontalStretchOn
    KeepGaps,           // CompressMissingLines, 0 when the option is on
};

struct DisplayOptionRow {
    SwitchKind kind;
    int DisplayOptions::*flag;    // for ChainFlag rows, else nullptr
    std::string_view cliOption;   // the converter's switch, without "--"
    std::string_view gdalOption;  // the driver's open option
    std::string_view help;        // one line for --help and the driver's option list
};

// The ten switches, in the order the converter's help lists them.
std::span<const DisplayOptionRow> DisplayOptionTable();

// The two tone levels, stepped by the tool bar and given whole by the
// converter and the driver.
struct ToneLevelRow {
    int PictureState::*level;
    std::string_view cliOption;
    std::string_view gdalOption;
    std::string_view help;
};
std::span<const ToneLevelRow> ToneLevelTable();

// The bound of a level given whole: the tone arithmetic stays far from
// integer overflow, and every visible result lies within.
constexpr int kToneLevelLimit = 1'000'000;

// The menu default of an option as it stands in the state (true: on).
bool MenuOptionOn(const PictureState& state, const DisplayOptionRow& row);
// Turns an option's menu default on or off (a stretch turned on clears the
// picture's own stretches).
void SetMenuOption(PictureState& state, const DisplayOptionRow& row, bool on);

// The picture's own stretches: the percentile stretch (whose switch also
// takes the two percentiles) and equalisation. They share the tone stage
// with the catalogue's Stretch: of the three, at most one is on.
struct PictureStretchRow {
    int DisplayOptions::*flag;
    bool takesPercentiles;
    std::string_view cliOption;   // the converter's switch, without "--"
    std::string_view gdalOption;  // the driver's open option
    std::string_view help;
};
std::span<const PictureStretchRow> PictureStretchTable();

// Whether `flag` is one of the three stretches.
bool IsStretchFlag(int DisplayOptions::*flag);
// How many of the three stretches `options` has on.
int StretchesChosen(const DisplayOptions& options);
// Turns `flag` on or off in `options`; a stretch turned on clears the other
// two.
void SetChainFlag(DisplayOptions& options, int DisplayOptions::*flag, bool on);

// The two percentiles as written after the option, "LOW,HIGH": numbers from
// 0 to 100, the low one below the high one; nothing when the text is not so.
struct PercentilePair {
    double low = kDefaultLowPercentile;
    double high = kDefaultHighPercentile;
};
std::optional<PercentilePair> ParsePercentiles(std::string_view text);
// Whether a pair is one the stretch takes: both within 0..100 (not NaN),
// the low one below the high one.
bool PercentilesValid(double low, double high);
// The pair in that form, each number in its shortest spelling ("0.5,99.5").
std::string PercentilesText(double low, double high);

}  // namespace orbalux
