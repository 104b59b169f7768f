#include "cli/picture_info.h"

#include <cstdio>
#include <string_view>

#include "cli/messages.h"
#include "decode/frame_decoder.h"
#include "load/load_warnings.h"

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

}  // namespace

std::string TrimTrailingBlanks(const std::string& line) {
    const auto end = line.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

std::string FormatPictureInfo(const PictureState& state) {
    std::string text;
    auto field = [&text](const char* name, const std::string& value) {
        text += name;
        text += ": ";
        text += value;
        text += '\n';
    };
    field("File", EscapedText(state.CurrentFileName));  // a name can forge no line
    field("DataOffset", std::to_string(state.DataOffset));
    field("LineFormat", std::to_string(state.LineFormat));
    field("StretchGain", std::to_string(state.StretchGain));
    field("StretchBlack", std::to_string(state.StretchBlack));
    field("FrameLineCount", std::to_string(state.FrameLineCount));
    field("Picture", std::to_string(state.ImageWidth) + " x " + std::to_string(state.ImageHeight));
    field("Lost lines", std::to_string(state.LostLineCount));
    text += "Header:\n";
    for (const std::string& line : state.HeaderLines) {
        const std::string trimmed = TrimTrailingBlanks(line);
        text += trimmed.empty() ? "\n" : "  " + trimmed + '\n';
    }
    return text;
}

std::string FormatFailureJson(const std::string& path, const std::string& error) {
    return "{" + JsonName("path", path) + ",\"error\":" + JsonText(error) + "}\n";
}

std::string FormatPictureInfoJson(const PictureState& state, const std::string& path) {
    auto number = [](long long v) { return std::to_string(v); };
    std::string json = std::string("{") + JsonName("file", state.CurrentFileName) + "," + JsonName("path", path) + "," +
                       JsonName("catalogueName", state.CatalogueName) +
                       ",\"inCatalogue\":" + (state.InCatalogue ? "true" : "false") +
                       ",\"parameters\":{\"dataOffset\":" + number(state.DataOffset) +
                       ",\"lineFormat\":" + number(state.LineFormat) + ",\"stretchGain\":" + number(state.StretchGain) +
                       ",\"stretchBlack\":" + number(state.StretchBlack) +
                       ",\"frameLineCount\":" + number(state.FrameLineCount) + "}" +
                       ",\"width\":" + number(state.ImageWidth) + ",\"height\":" + number(state.ImageHeight) +
                       ",\"fileLength\":" + number(state.FileLength) + ",\"lostLines\":" + number(state.LostLineCount) +
                       ",\"linesDecoded\":" + number(state.LinesDecoded) +
                       ",\"linesInFile\":" + number(state.LinesWithinFile) +
                       ",\"linesShort\":" + number(LinesShortOfFrame(state)) +
                       ",\"truncated\":" + (TruncationWarning(state) ? "true" : "false") + ",\"warnings\":[";
    const std::vector<std::string> warnings = LoadWarnings(state);
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        if (i) json += ',';
        json += JsonText(warnings[i]);
    }
    json += "],\"header\":[";
    for (std::size_t i = 0; i < state.HeaderLines.size(); ++i) {
        if (i) json += ',';
        json += JsonText(TrimTrailingBlanks(state.HeaderLines[i]));
    }
    return json + "]}\n";
}

}  // namespace orbalux::cli
