#include "tools/encoder/header_text.h"

#include <stdexcept>

namespace orbalux::encoder {

namespace {

void AppendWord(std::vector<std::uint8_t>& out, std::uint16_t word) {
    out.push_back(static_cast<std::uint8_t>(word & 0xFF));
    out.push_back(static_cast<std::uint8_t>(word >> 8));
}

void AppendRecord(std::vector<std::uint8_t>& out, std::uint16_t lengthWord,
                  std::string_view text, HighBitJunk* junk) {
    AppendWord(out, lengthWord);
    std::vector<std::uint8_t> codes(kHeaderTextChars, kEbcdicBlank);
    for (std::size_t i = 0; i < text.size() && i < codes.size(); ++i) codes[i] = CharToEbcdic(text[i]);
    AppendPacked(codes, out, junk);
}

}  // namespace

std::uint8_t CharToEbcdic(char c) {
    if (c >= 'A' && c <= 'I') return static_cast<std::uint8_t>(0xC1 + (c - 'A'));
    if (c >= 'J' && c <= 'R') return static_cast<std::uint8_t>(0xD1 + (c - 'J'));
    if (c >= 'S' && c <= 'Z') return static_cast<std::uint8_t>(0xE2 + (c - 'S'));
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(0xF0 + (c - '0'));
    switch (c) {
        case '.': return 0x4B;
        case '+': return 0x4E;
        case ';': return 0x5E;
        case '-': return 0x60;
        case '/': return 0x61;
        case ':': return 0x7A;
        case '=': return 0x7E;
        case '{': return 0xC0;
        case '}': return 0xD0;
        default: return kEbcdicBlank;
    }
}

std::string HeaderLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        std::string padded(line.substr(0, kHeaderLineChars));
        padded.resize(kHeaderLineChars, ' ');
        text += padded;
    }
    return text;
}

std::vector<std::uint8_t> BuildHeaderRecords(const HeaderPlan& header, HighBitJunk* junk) {
    if (header.records < 0 || header.records > 2) {
        throw std::invalid_argument("a picture file has 0, 1 or 2 header records");
    }
    std::vector<std::uint8_t> out;
    if (header.records >= 1) {
        AppendRecord(out, header.longFirstRecord ? kLongHeaderLengthWord : kHeaderLengthWord,
                     header.text1, junk);
        if (header.longFirstRecord) out.insert(out.end(), 2, 0);
    }
    if (header.records == 2) AppendRecord(out, kHeaderLengthWord, header.text2, junk);
    return out;
}

}  // namespace orbalux::encoder
