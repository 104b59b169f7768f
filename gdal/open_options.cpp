#include "gdal/open_options.h"

#include <array>
#include <charconv>
#include <string_view>

#include <cpl_string.h>

#include "intake/orbalux_error.h"

namespace orbalux::gdal {
namespace {

// Switches: option name, what it does (for the option list; no quotes or
// angle brackets), its setting.
struct SwitchOption {
    const char* name;
    const char* description;
    void (*turnOn)(PictureOptions&);
};
constexpr std::array<SwitchOption, 10> kSwitches = {{
    {"STRETCH", "Per-file contrast stretch", [](PictureOptions& o) { o.menu.Stretch = 1; }},
    {"DESPECKLE", "Remove single-pixel specks", [](PictureOptions& o) { o.menu.Despeckle = 1; }},
    {"FLIP", "Flip vertically", [](PictureOptions& o) { o.menu.FlipVertical = 1; }},
    {"ROTATE", "Rotate by 180 degrees", [](PictureOptions& o) { o.menu.Rotate = 1; }},
    {"INVERT", "Invert the grey levels", [](PictureOptions& o) { o.menu.Invert = 1; }},
    {"HALF", "Reduce to 1/2 on a grey field", [](PictureOptions& o) { o.menu.MinimizeHalf = 1; }},
    {"QUARTER", "Reduce to 1/4 on a grey field", [](PictureOptions& o) { o.menu.MinimizeQuarter = 1; }},
    {"FILL_MISSING", "Repair single missing lines", [](PictureOptions& o) { o.menu.FillMissingLine = 1; }},
    {"HORIZONTAL_STRETCH", "Widen the narrow formats six-fold", [](PictureOptions& o) { o.horizontalStretch = 1; }},
    {"KEEP_GAPS", "Blank rows for every lost line instead of closing longer gaps up",
     [](PictureOptions& o) { o.compressMissingLines = 0; }},
}};

// Levels: option name, what it does, where it goes.
struct LevelOption {
    const char* name;
    const char* description;
    int PictureOptions::*level;
};
constexpr std::array<LevelOption, 2> kLevels = {{
    {"BRIGHTNESS", "Brightness steps, as the browser's buttons", &PictureOptions::brightness},
    {"CONTRAST", "Contrast steps, as the browser's buttons", &PictureOptions::contrast},
}};

// The converter's bound: far from overflow in the tone arithmetic, beyond
// every visible result.
constexpr int kLevelLimit = 1'000'000;

bool ParseSwitch(const std::string& file, const char* name, const char* text) {
    for (const char* yes : {"YES", "TRUE", "ON", "1"})
        if (EQUAL(text, yes)) return true;
    for (const char* no : {"NO", "FALSE", "OFF", "0"})
        if (EQUAL(text, no)) return false;
    throw OrbaluxError(file, std::string(name) + "='" + text + "' is neither YES nor NO");
}

int ParseLevel(const std::string& file, const char* name, std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < -kLevelLimit ||
        value > kLevelLimit)
        throw OrbaluxError(file, std::string(name) + "='" + std::string(text) + "' is not a whole number from " +
                                     std::to_string(-kLevelLimit) + " to " + std::to_string(kLevelLimit));
    return value;
}

}  // namespace

PictureOptions ParseOpenOptions(const std::string& file, CSLConstList openOptions) {
    PictureOptions options;
    for (const SwitchOption& option : kSwitches)
        if (const char* text = CSLFetchNameValue(openOptions, option.name))
            if (ParseSwitch(file, option.name, text)) option.turnOn(options);
    for (const LevelOption& option : kLevels)
        if (const char* text = CSLFetchNameValue(openOptions, option.name))
            options.*(option.level) = ParseLevel(file, option.name, text);
    if (const char* name = CSLFetchNameValue(openOptions, "AS_NAME")) options.asName = name;
    return options;
}

std::string OpenOptionListXml() {
    std::string xml = "<OpenOptionList>";
    for (const SwitchOption& option : kSwitches)
        xml += std::string("<Option name=\"") + option.name + "\" type=\"boolean\" description=\"" +
               option.description + "\" default=\"NO\"/>";
    for (const LevelOption& option : kLevels)
        xml += std::string("<Option name=\"") + option.name + "\" type=\"int\" description=\"" +
               option.description + "\" default=\"0\" min=\"" + std::to_string(-kLevelLimit) + "\" max=\"" +
               std::to_string(kLevelLimit) + "\"/>";
    xml += "<Option name=\"AS_NAME\" type=\"string\" description=\"Decode with the catalogue entry of this "
           "picture-file name (a renamed file)\"/>";
    return xml + "</OpenOptionList>";
}

}  // namespace orbalux::gdal
