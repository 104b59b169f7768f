#include "cli/messages.h"

namespace orbalux::cli {

std::size_t Utf8CharacterLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char c = s[0];
    if (c < 0x80) return 1;
    const std::size_t more = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xC2 && c <= 0xDF ? 1 : 0;
    if (more == 0 || more >= text.size()) return 0;
    for (std::size_t k = 1; k <= more; ++k)
        if ((s[k] & 0xC0) != 0x80) return 0;
    // Overlong forms and surrogates are not characters; nor is anything past
    // U+10FFFF.
    if (more == 2) {
        const unsigned cp = ((c & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6);
        if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    } else if (more == 3) {
        const unsigned cp = ((c & 0x07u) << 18) | ((s[1] & 0x3Fu) << 12);
        if (cp < 0x10000 || cp > 0x10FFFF) return 0;
    }
    return more + 1;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8CharacterLength(text.substr(i));
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string EscapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    auto hex = [&out](unsigned char byte) {
        static constexpr char kDigits[] = "0123456789abcdef";
        const char escape[4] = {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 15]};
        out.append(escape, sizeof escape);
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8CharacterLength(text.substr(i));
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (length == 0 || c < 0x20 || c == 0x7F) {
            hex(c);
        } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            // U+0080 to U+009F: controls, among them a terminal's CSI.
            hex(c);
            hex(static_cast<unsigned char>(text[i + 1]));
            i += 2;
            continue;
        } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return out;
}

std::string VisibleText(std::string_view text) {
    const std::string escaped = EscapedText(text);
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size();) {
        const std::size_t length = Utf8CharacterLength(std::string_view(escaped).substr(i));
        const auto* s = reinterpret_cast<const unsigned char*>(escaped.data() + i);
        unsigned cp = s[0];
        if (length == 2) cp = ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
        if (length == 3) cp = ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
        const bool direction = cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
                               (cp >= 0x2066 && cp <= 0x2069);
        if (direction) {
            char mark[8];
            std::snprintf(mark, sizeof mark, "\\u%04x", cp);
            out += mark;
        } else {
            out.append(escaped, i, length);
        }
        i += length;
    }
    return out;
}

std::string MessageLine(std::string_view subject, std::string_view text) {
    std::string line(kMessagePrefix);
    if (!subject.empty()) {
        line += EscapedText(subject);
        line += ": ";
    }
    line += EscapedText(text);
    return line;
}

void PrintMessage(std::FILE* err, std::string_view subject, std::string_view text) {
    std::string line = MessageLine(subject, text);
    line.push_back('\n');
    std::fputs(line.c_str(), err);
}

}  // namespace orbalux::cli
