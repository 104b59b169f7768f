#include "gdal/open_options.h"

#include <cctype>
#include <charconv>
#include <string_view>
#include <vector>

#include <cpl_string.h>

#include "processing/display_options.h"
#include "state/orbalux_error.h"

namespace orbalux::gdal {
namespace {

constexpr const char* kAsName = "AS_NAME";
constexpr const char* kFrame = "FRAME";

bool ParseSwitch(const std::string& file, const std::string& name, const char* text) {
    for (const char* yes : {"YES", "TRUE", "ON", "1"})
        if (EQUAL(text, yes)) return true;
    for (const char* no : {"NO", "FALSE", "OFF", "0"})
        if (EQUAL(text, no)) return false;
    throw OrbaluxError(ErrorKind::BadOption, file, name + "='" + text + "' is neither YES nor NO");
}

int ParseLevel(const std::string& file, const std::string& name, std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < -kToneLevelLimit ||
        value > kToneLevelLimit)
        throw OrbaluxError(ErrorKind::BadOption, file, name + "='" + std::string(text) + "' is not a whole number from " +
                                     std::to_string(-kToneLevelLimit) + " to " + std::to_string(kToneLevelLimit));
    return value;
}

// The help texts go into XML attributes.
std::string XmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string OptionXml(std::string_view name, std::string_view type, std::string_view help, std::string extra) {
    return "<Option name=\"" + std::string(name) + "\" type=\"" + std::string(type) + "\" description=\"" +
           XmlEscaped(help) + "\"" + extra + "/>";
}

}  // namespace

PictureOptions ParseOpenOptions(const std::string& file, CSLConstList openOptions) {
    PictureOptions options;
    for (const DisplayOptionRow& row : DisplayOptionTable()) {
        const std::string name(row.gdalOption);
        if (const char* text = CSLFetchNameValue(openOptions, name.c_str()))
            SetOption(options.chain, row, ParseSwitch(file, name, text));
    }
    for (const ToneLevelRow& row : ToneLevelTable()) {
        const std::string name(row.gdalOption);
        if (const char* text = CSLFetchNameValue(openOptions, name.c_str()))
            ToneLevel(options.chain, row) = ParseLevel(file, name, text);
    }
    if (const char* name = CSLFetchNameValue(openOptions, kAsName)) options.asName = name;
    if (const char* text = CSLFetchNameValue(openOptions, kFrame)) options.frame = ParseSwitch(file, kFrame, text);
    // The frame is the decoder's values as received: a display option would
    // either be ignored silently or make it something else.
    if (options.frame && !(options.chain == ChainSettings{}))
        throw OrbaluxError(ErrorKind::BadOption, file,
                           std::string(kFrame) + "=YES gives the frame as decoded and takes no display option");
    return options;
}

std::string OptionSetName(const PictureOptions& options) {
    std::vector<std::string> parts;
    ChainSettings probe;
    for (const DisplayOptionRow& row : DisplayOptionTable()) {
        probe = options.chain;
        SetOption(probe, row, false);
        if (!(probe == options.chain)) parts.emplace_back(row.gdalOption);
    }
    for (const ToneLevelRow& row : ToneLevelTable()) {
        probe = options.chain;
        const int level = ToneLevel(probe, row);
        if (level != 0) parts.push_back(std::string(row.gdalOption) + (level > 0 ? "+" : "") + std::to_string(level));
    }
    if (options.frame) parts.emplace_back(kFrame);
    if (!options.asName.empty()) {
        // A name from the user goes into a file name: only its safe bytes.
        std::string name = "AS-";
        for (char c : options.asName) name += std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' ? c : '_';
        parts.push_back(name);
    }
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : "+") + part;
    return joined;
}

std::string OpenOptionListXml() {
    std::string xml = "<OpenOptionList>";
    for (const DisplayOptionRow& row : DisplayOptionTable())
        xml += OptionXml(row.gdalOption, "boolean", row.help, " default=\"NO\"");
    for (const ToneLevelRow& row : ToneLevelTable())
        xml += OptionXml(row.gdalOption, "int", row.help,
                         " default=\"0\" min=\"" + std::to_string(-kToneLevelLimit) + "\" max=\"" +
                             std::to_string(kToneLevelLimit) + "\"");
    xml += OptionXml(kAsName, "string", "decode with the catalogue entry of this picture-file name (a renamed file)",
                     "");
    xml += OptionXml(kFrame, "boolean",
                     "the frame as transmitted: decoded values, one row per line in the order of the file's line "
                     "records, lost lines kept as masked rows, picture samples only; no display option with it",
                     " default=\"NO\"");
    return xml + "</OpenOptionList>";
}

}  // namespace orbalux::gdal
