#include "intake/header_decoder.h"

#include <array>

#include "state/six_bit.h"

namespace orbalux {
namespace {

constexpr int kLineChars = 72;            // characters per shown header line
constexpr int kGroupsPerRecord = 120;     // four bytes each, three characters each
constexpr int kOneHeaderRecord = 482;     // DataOffset of a file with one header record
constexpr int kTwoHeaderRecords = 964;    // DataOffset of a file with two
constexpr long long kRecord1Text = 2;     // just after record 1's length word
constexpr long long kRecord2Text = 484;   // after record 1 and record 2's length word
// Files that begin with the length word 482 (E2 01) carry two more bytes
// before the second record's text.
constexpr long long kRecord2TextAfterLength482 = 486;
constexpr std::uint8_t kLength482Low = 0xE2;
constexpr std::uint8_t kLength482High = 0x01;

// The EBCDIC codes the header text uses. Columns: first code, last code,
// character of the first code (the others follow in order).
struct EbcdicRun {
    std::uint8_t first;
    std::uint8_t last;
    char character;
};
constexpr EbcdicRun kEbcdicRuns[] = {
    {0x4B, 0x4B, '.'},
    {0x4E, 0x4E, '+'},
    {0x5E, 0x5E, ';'},
    {0x60, 0x60, '-'},
    {0x61, 0x61, '/'},
    {0x7A, 0x7A, ':'},
    {0x7E, 0x7E, '='},
    {0xC0, 0xC0, '{'},
    {0xC1, 0xC9, 'A'},
    {0xD0, 0xD0, '}'},
    {0xD1, 0xD9, 'J'},
    {0xE2, 0xE9, 'S'},
    {0xF0, 0xF9, '0'},
};

// The text is six-bit packed like the picture lines: three character codes
// to every four bytes.
void UnpackRecord(const PictureState& state, long long textStart,
                  std::array<std::uint8_t, kHeaderChars>& codes,
                  std::array<char, kHeaderChars>& chars) {
    for (int g = 0; g < kGroupsPerRecord; ++g) {
        const long long at = textStart + 4LL * g;
        UnpackSixBitGroup(FileByte(state, at), FileByte(state, at + 1), FileByte(state, at + 2),
                          FileByte(state, at + 3), codes.data() + 3 * g);
    }
    for (int k = 0; k < kHeaderChars; ++k) chars[k] = EbcdicToChar(codes[k]);
}

std::string LineOf(const std::array<char, kHeaderChars>& chars, int index) {
    return std::string(chars.begin() + index * kLineChars, chars.begin() + (index + 1) * kLineChars);
}

// A line ending in "L" is the last line of the text.
bool EndsText(const std::array<char, kHeaderChars>& chars, int index) {
    return chars[(index + 1) * kLineChars - 1] == 'L';
}

}  // namespace

char EbcdicToChar(std::uint8_t code) {
    for (const EbcdicRun& run : kEbcdicRuns) {
        if (code >= run.first && code <= run.last) return static_cast<char>(run.character + (code - run.first));
    }
    return ' ';
}

void DecodeHeader(PictureState& state) {
    state.HeaderCodes1.fill(0);
    state.HeaderCodes2.fill(0);
    state.HeaderChars1.fill(' ');
    state.HeaderChars2.fill(' ');

    UnpackRecord(state, kRecord1Text, state.HeaderCodes1, state.HeaderChars1);
    if (state.DataOffset >= kTwoHeaderRecords) {
        const bool length482 = state.LeadByte0 == kLength482Low && state.LeadByte1 == kLength482High;
        UnpackRecord(state, length482 ? kRecord2TextAfterLength482 : kRecord2Text, state.HeaderCodes2,
                     state.HeaderChars2);
    }
    ParseHeader(state);
}

void ParseHeader(PictureState& state) {
    constexpr int kLinesPerRecord = kHeaderChars / kLineChars;  // 5
    std::array<std::string, kHeaderLines> lines;

    for (int i = 0; i < kLinesPerRecord; ++i) lines[i] = LineOf(state.HeaderChars1, i);
    if (!EndsText(state.HeaderChars1, kLinesPerRecord - 1)) {
        for (int i = 0; i < kLinesPerRecord; ++i) {
            lines[kLinesPerRecord + i] = LineOf(state.HeaderChars2, i);
            if (EndsText(state.HeaderChars2, i)) break;
        }
    }

    // A file without header records, or one whose first byte is 0, has no
    // length word in front of a header.
    if (state.DataOffset >= kOneHeaderRecord && state.LeadByte0 != 0) {
        state.HeaderLines = std::move(lines);
        return;
    }
    state.HeaderLines.fill(" ");
    state.HeaderLines[0] = "No Header";
}

}  // namespace orbalux
