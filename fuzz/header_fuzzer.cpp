// The header decoding alone: any first bytes of a file, any DataOffset, lead
// bytes from the file or not. The codes are checked against the six-bit
// unpacking done here independently, the characters against the EBCDIC
// table, and the ten lines against the rules for cutting them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/picture_checks.h"
#include "intake/header_decoder.h"

namespace {

using namespace orbalux;

constexpr std::size_t kHeaderArea = 4096;  // far more than the two records

// Catalogue offsets, mostly, so that the one- and two-record cases come up.
constexpr std::array<int, 16> kOffsets = {0, 2, 4, 20, 24, 48, 481, 482, 484, 486, 488, 632, 963, 964, 966, 1928};

// One code of a header record: group g, code k (0..2), straight from the
// file's bytes.
std::uint8_t ReferenceCode(const std::vector<std::uint8_t>& file, std::size_t start, int index) {
    const std::size_t at = start + 4 * static_cast<std::size_t>(index / 3);
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits = (bits << 6) | (file[at + i] & 0x3F);
    return static_cast<std::uint8_t>(bits >> (8 * (2 - index % 3)));
}

char ReferenceChar(std::uint8_t code) {
    if (code >= 0xC1 && code <= 0xC9) return static_cast<char>('A' + (code - 0xC1));
    if (code >= 0xD1 && code <= 0xD9) return static_cast<char>('J' + (code - 0xD1));
    if (code >= 0xE2 && code <= 0xE9) return static_cast<char>('S' + (code - 0xE2));
    if (code >= 0xF0 && code <= 0xF9) return static_cast<char>('0' + (code - 0xF0));
    switch (code) {
        case 0x4B: return '.';
        case 0x4E: return '+';
        case 0x5E: return ';';
        case 0x60: return '-';
        case 0x61: return '/';
        case 0x7A: return ':';
        case 0x7E: return '=';
        case 0xC0: return '{';
        case 0xD0: return '}';
        default: return ' ';
    }
}

std::array<std::string, kHeaderLines> ReferenceLines(const PictureState& s) {
    std::array<std::string, kHeaderLines> lines;
    if (s.DataOffset < 482 || s.LeadByte0 == 0) {
        lines.fill(" ");
        lines[0] = "No Header";
        return lines;
    }
    const auto cut = [](const std::array<char, kHeaderChars>& chars, int i) {
        return std::string(chars.begin() + 72 * i, chars.begin() + 72 * (i + 1));
    };
    for (int i = 0; i < 5; ++i) lines[static_cast<std::size_t>(i)] = cut(s.HeaderChars1, i);
    if (s.HeaderChars1[359] == 'L') return lines;
    for (int i = 0; i < 5; ++i) {
        lines[static_cast<std::size_t>(5 + i)] = cut(s.HeaderChars2, i);
        if (lines[static_cast<std::size_t>(5 + i)].back() == 'L') break;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PictureState state;
    static std::size_t dirty = 0;  // bytes of FileBuffer the last input wrote
    if (state.FileBuffer.empty()) state.FileBuffer.assign(kFileBufferSize, 0);

    FuzzedDataProvider in(data, size);
    const bool catalogueOffset = in.ConsumeBool();
    const int anyOffset = in.ConsumeIntegral<int>();
    state.DataOffset = catalogueOffset ? kOffsets[static_cast<unsigned>(anyOffset) % kOffsets.size()] : anyOffset;
    const bool leadFromFile = in.ConsumeBool();
    const std::uint8_t lead0 = in.ConsumeIntegral<std::uint8_t>();
    const std::uint8_t lead1 = in.ConsumeIntegral<std::uint8_t>();
    const std::vector<std::uint8_t> file = in.ConsumeBytes<std::uint8_t>(kHeaderArea);

    std::fill_n(state.FileBuffer.begin(), dirty, 0);
    std::copy(file.begin(), file.end(), state.FileBuffer.begin());
    dirty = file.size();
    state.LeadByte0 = leadFromFile ? state.FileBuffer[0] : lead0;
    state.LeadByte1 = leadFromFile ? state.FileBuffer[1] : lead1;

    DecodeHeader(state);

    std::vector<std::uint8_t> padded(file);
    padded.resize(kHeaderArea, 0);
    const bool twoRecords = state.DataOffset >= 964;
    const std::size_t second = (state.LeadByte0 == 0xE2 && state.LeadByte1 == 0x01) ? 486 : 484;
    for (int k = 0; k < kHeaderChars; ++k) {
        const std::uint8_t code1 = ReferenceCode(padded, 2, k);
        const std::uint8_t code2 = twoRecords ? ReferenceCode(padded, second, k) : 0;
        FUZZ_CHECK(state.HeaderCodes1[static_cast<std::size_t>(k)] == code1);
        FUZZ_CHECK(state.HeaderCodes2[static_cast<std::size_t>(k)] == code2);
        FUZZ_CHECK(state.HeaderChars1[static_cast<std::size_t>(k)] == ReferenceChar(code1));
        FUZZ_CHECK(state.HeaderChars2[static_cast<std::size_t>(k)] == ReferenceChar(code2));
        FUZZ_CHECK(EbcdicToChar(code1) == ReferenceChar(code1));
    }
    FUZZ_CHECK(state.HeaderLines == ReferenceLines(state));
    fuzz::CheckHeaderLines(state);
    return 0;
}
