#include "cli/picture_info.h"

#include <cstdio>
#include <string_view>

#include "cli/messages.h"
#include "load/picture_facts.h"

namespace orbalux::cli {
namespace {

// A JSON string of well-formed UTF-8 text, control characters escaped.
std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// A name as the member `key`: the name itself when it is UTF-8; otherwise
// the name as messages show it ("\xff" for such a byte) and, in `key`Hex,
// its bytes in hex, from which a script gets the name back to open the file.
std::string JsonName(const std::string& key, const std::string& name) {
    if (IsUtf8(name)) return "\"" + key + "\":" + JsonString(name);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char ch : name) {
        hex += kDigits[static_cast<unsigned char>(ch) >> 4];
        hex += kDigits[static_cast<unsigned char>(ch) & 15];
    }
    return "\"" + key + "\":" + JsonString(EscapedText(name)) + ",\"" + key + "Hex\":\"" + hex + "\"";
}

// Text of the program's own (warnings, header lines) is UTF-8; anything else
// is shown escaped rather than made invalid JSON.
std::string JsonText(const std::string& text) { return JsonString(IsUtf8(text) ? text : EscapedText(text)); }

std::string JsonLevels(const std::optional<LevelStatistics>& s) {
    if (!s) return "\"min\":null,\"max\":null,\"mean\":null,\"stdDev\":null,\"median\":null";
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "\"min\":%d,\"max\":%d,\"mean\":%.4f,\"stdDev\":%.4f,\"median\":%d", s->min,
                  s->max, s->mean, s->stdDev, s->median);
    return numbers;
}

std::string JsonStatistics(const RegionStatistics& stats) {
    const Region& r = stats.region;
    const LeftOutPixels& out = stats.leftOut;
    auto n = [](long long v) { return std::to_string(v); };
    std::string json = ",\"stats\":{\"region\":[" + n(r.column) + "," + n(r.row) + "," + n(r.width) + "," +
                       n(r.height) + "],\"dataPixels\":" + n(stats.dataPixels) +
                       ",\"leftOut\":{\"total\":" + n(out.Total()) + ",\"lostLine\":" + n(out.lostLine) +
                       ",\"pastEnd\":" + n(out.pastEnd) + ",\"greyField\":" + n(out.greyField) +
                       ",\"padding\":" + n(out.padding) + "}," + JsonLevels(stats.shown);
    if (stats.decoded) json += ",\"decoded\":{" + JsonLevels(stats.decoded) + "}";
    return json + "}";
}

}  // namespace

std::string FormatPictureInfo(const PictureState& state, const std::optional<RegionStatistics>& stats) {
    const PictureFacts facts = FactsOf(state);
    std::string text;
    auto field = [&text](const char* name, const std::string& value) {
        text += name;
        text += ": ";
        text += value;
        text += '\n';
    };
    field("File", EscapedText(facts.sourceFile));  // a name can forge no line
    field("DataOffset", std::to_string(facts.dataOffset));
    field("LineFormat", std::to_string(facts.lineFormat));
    field("StretchGain", std::to_string(facts.stretchGain));
    field("StretchBlack", std::to_string(facts.stretchBlack));
    field("FrameLineCount", std::to_string(facts.frameLineCount));
    field("Picture", std::to_string(facts.width) + " x " + std::to_string(facts.height));
    field("Lost lines", std::to_string(facts.lostLines));
    text += "Header:\n";
    for (const std::string& line : facts.header) text += line.empty() ? "\n" : "  " + line + '\n';
    if (stats) {
        text += "Statistics:\n";
        for (const auto& [name, value] : RegionStatisticsRows(*stats)) text += "  " + name + ": " + value + '\n';
    }
    return text;
}

std::string FormatFailureJson(const std::string& path, const std::string& error) {
    // Appended rather than begun with a literal: GCC 12's -Wrestrict takes
    // the latter for an overlapping copy.
    std::string json(1, '{');
    json += JsonName("path", path);
    json += ",\"error\":";
    json += JsonText(error);
    return json + "}\n";
}

std::string FormatPictureInfoJson(const PictureState& state, const std::string& path,
                                  const std::optional<RegionStatistics>& stats) {
    const PictureFacts facts = FactsOf(state);
    auto number = [](long long v) { return std::to_string(v); };
    std::string json =
        std::string("{") + JsonName("file", facts.sourceFile) + "," + JsonName("path", path) + "," +
        JsonName("catalogueName", facts.catalogueName) + ",\"inCatalogue\":" + (facts.inCatalogue ? "true" : "false") +
        ",\"parameters\":{\"dataOffset\":" + number(facts.dataOffset) + ",\"lineFormat\":" + number(facts.lineFormat) +
        ",\"stretchGain\":" + number(facts.stretchGain) + ",\"stretchBlack\":" + number(facts.stretchBlack) +
        ",\"frameLineCount\":" + number(facts.frameLineCount) + "}" + ",\"width\":" + number(facts.width) +
        ",\"height\":" + number(facts.height) + ",\"fileLength\":" + number(facts.fileLength) +
        ",\"lostLines\":" + number(facts.lostLines) + ",\"linesDecoded\":" + number(facts.frameLines) +
        ",\"linesInFile\":" + number(facts.linesInFile) + ",\"linesShort\":" + number(facts.linesShort) +
        ",\"truncated\":" + (facts.truncated ? "true" : "false") + ",\"warnings\":[";
    for (std::size_t i = 0; i < facts.warnings.size(); ++i) {
        if (i) json += ',';
        json += JsonText(facts.warnings[i]);
    }
    json += "],\"header\":[";
    for (std::size_t i = 0; i < facts.header.size(); ++i) {
        if (i) json += ',';
        json += JsonText(facts.header[i]);
    }
    json += "]";
    if (stats) json += JsonStatistics(*stats);
    return json + "}\n";
}

}  // namespace orbalux::cli
