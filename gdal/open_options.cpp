#include "gdal/open_options.h"

#include <cctype>
#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include <cpl_string.h>

#include "gdal/xml_text.h"
#include "processing/display_options.h"
#include "state/orbalux_error.h"

namespace orbalux::gdal {
namespace {

constexpr const char* kAsName = "AS_NAME";
constexpr const char* kFrame = "FRAME";
constexpr const char* kNoData = "NODATA";

// YES or NO in GDAL's spellings; nothing for any other text.
std::optional<bool> SwitchValue(const char* text) {
    for (const char* yes : {"YES", "TRUE", "ON", "1"})
        if (EQUAL(text, yes)) return true;
    for (const char* no : {"NO", "FALSE", "OFF", "0"})
        if (EQUAL(text, no)) return false;
    return std::nullopt;
}

bool ParseSwitch(const std::string& file, const std::string& name, const char* text) {
    if (const std::optional<bool> on = SwitchValue(text)) return *on;
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

// A stretch's option: YES or NO, or for the percentile stretch its two
// percentiles, LOW,HIGH.
void ParseStretch(const std::string& file, const std::string& name, const char* text, const PictureStretchRow& row,
                  ChainSettings& chain) {
    if (row.takesPercentiles) {
        if (const std::optional<PercentilePair> pair = ParsePercentiles(text)) {
            chain.menu.*row.flag = 1;
            chain.lowPercentile = pair->low;
            chain.highPercentile = pair->high;
            return;
        }
        if (!SwitchValue(text))
            throw OrbaluxError(ErrorKind::BadOption, file, name + "='" + text +
                                         "' is neither LOW,HIGH (two percentiles from 0 to 100, the low one first) "
                                         "nor YES or NO");
    }
    chain.menu.*row.flag = ParseSwitch(file, name, text) ? 1 : 0;
}

// The null value of a copy: in Int16, and below or above every data level
// so that no picture value is taken for missing data.
int ParseNoData(const std::string& file, std::string_view text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = !text.empty() && ec == std::errc() && end == text.data() + text.size();
    if (!whole || value < -32768 || value > 32767)
        throw OrbaluxError(ErrorKind::BadOption, file,
                           std::string(kNoData) + "='" + std::string(text) +
                               "' is not a whole number from -32768 to 32767 (the band "
                               "is Int16 with it)");
    if (value >= 0 && value <= 255)
        throw OrbaluxError(ErrorKind::BadOption, file,
                           std::string(kNoData) + "='" + std::string(text) +
                               "' is a data level (0 to 255): take a value outside "
                               "them, such as -32768");
    return static_cast<int>(value);
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
    for (const PictureStretchRow& row : PictureStretchTable()) {
        const std::string name(row.gdalOption);
        if (const char* text = CSLFetchNameValue(openOptions, name.c_str()))
            ParseStretch(file, name, text, row, options.chain);
    }
    if (StretchesChosen(options.chain.menu) > 1)
        throw OrbaluxError(ErrorKind::BadOption, file, "STRETCH, PERCENT_STRETCH and EQUALIZE exclude each other");
    for (const ToneLevelRow& row : ToneLevelTable()) {
        const std::string name(row.gdalOption);
        if (const char* text = CSLFetchNameValue(openOptions, name.c_str()))
            ToneLevel(options.chain, row) = ParseLevel(file, name, text);
    }
    if (const char* name = CSLFetchNameValue(openOptions, kAsName)) options.asName = name;
    if (const char* text = CSLFetchNameValue(openOptions, kFrame)) options.frame = ParseSwitch(file, kFrame, text);
    if (const char* text = CSLFetchNameValue(openOptions, kNoData)) options.nodata = ParseNoData(file, text);
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
    for (const PictureStretchRow& row : PictureStretchTable()) {
        if (options.chain.menu.*row.flag != 1) continue;
        std::string part(row.gdalOption);
        if (row.takesPercentiles) {
            // The percentiles make other pixels: they are part of the name.
            std::string values = PercentilesText(options.chain.lowPercentile, options.chain.highPercentile);
            std::replace(values.begin(), values.end(), ',', '-');
            part += "-" + values;
        }
        parts.push_back(part);
    }
    for (const ToneLevelRow& row : ToneLevelTable()) {
        probe = options.chain;
        const int level = ToneLevel(probe, row);
        if (level != 0) parts.push_back(std::string(row.gdalOption) + (level > 0 ? "+" : "") + std::to_string(level));
    }
    if (options.frame) parts.emplace_back(kFrame);
    // Filler pixels hold the value: an overview of them is not a plain open's.
    if (options.nodata) parts.push_back(std::string(kNoData) + std::to_string(*options.nodata));
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
    for (const PictureStretchRow& row : PictureStretchTable())
        xml += row.takesPercentiles ? OptionXml(row.gdalOption, "string", row.help, "")
                                    : OptionXml(row.gdalOption, "boolean", row.help, " default=\"NO\"");
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
    xml += OptionXml(kNoData, "int",
                     "an Int16 band with this value on every pixel that is not picture data, reported as the "
                     "band's nodata (for copies to ISIS3, PDS4, VICAR and FITS); below 0 or above 255, "
                     "such as -32768",
                     " min=\"-32768\" max=\"32767\"");
    return xml + "</OpenOptionList>";
}

}  // namespace orbalux::gdal
