#include "cli/picture_info.h"

#include "decode/frame_decoder.h"
#include "load/load_warnings.h"

namespace orbalux::cli {
namespace {

// Bytes that cannot stand in a JSON string as they are: control characters,
// and bytes of a file name that are not UTF-8 (written as the Latin-1
// character of the same number, so that no byte is lost).
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    auto escape = [&out](unsigned code) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", code);
        out += buffer;
    };
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            escape(c);
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else {
            // A whole well-formed UTF-8 sequence goes through unchanged.
            const std::size_t more = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xC2 && c <= 0xDF ? 1 : 0;
            bool whole = more > 0 && i + more < n;
            for (std::size_t k = 1; whole && k <= more; ++k) whole = (s[i + k] & 0xC0) == 0x80;
            if (whole && more == 2) {
                const unsigned cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6);
                whole = cp >= 0x800 && !(cp >= 0xD800 && cp <= 0xDFFF);
            } else if (whole && more == 3) {
                const unsigned cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12);
                whole = cp >= 0x10000 && cp <= 0x10FFFF;
            }
            if (whole) {
                out.append(text, i, more + 1);
                i += more + 1;
            } else {
                escape(c);
                ++i;
            }
        }
    }
    return out + "\"";
}

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
    field("File", state.CurrentFileName);
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

std::string FormatPictureInfoJson(const PictureState& state, const std::string& path) {
    auto number = [](long long v) { return std::to_string(v); };
    std::string json = "{\"file\":" + JsonString(state.CurrentFileName) + ",\"path\":" + JsonString(path) +
                       ",\"catalogueName\":" + JsonString(state.CatalogueName) +
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
    for (std::size_t i = 0; i < warnings.size(); ++i) json += (i ? "," : "") + JsonString(warnings[i]);
    json += "],\"header\":[";
    for (std::size_t i = 0; i < state.HeaderLines.size(); ++i)
        json += (i ? "," : "") + JsonString(TrimTrailingBlanks(state.HeaderLines[i]));
    return json + "]}\n";
}

}  // namespace orbalux::cli
