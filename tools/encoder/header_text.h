// Header records: 360 characters of EBCDIC text, six-bit packed into 480
// bytes behind a length word. Only 46 characters have codes the viewer shows;
// every other character is written as the EBCDIC blank.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tools/encoder/six_bit_packing.h"

namespace orbalux::encoder {

constexpr int kHeaderTextChars = 360;
constexpr int kHeaderLineChars = 72;
constexpr int kHeaderTextBytes = 480;
constexpr std::uint16_t kHeaderLengthWord = 480;      // E0 01: a 482-byte record
constexpr std::uint16_t kLongHeaderLengthWord = 482;  // E2 01: two more bytes follow
constexpr std::uint8_t kEbcdicBlank = 0x40;

// The EBCDIC code of one character: A-Z, 0-9 and . + ; - / : = { } have
// their own codes; anything else (lower case too) becomes the blank 0x40.
std::uint8_t CharToEbcdic(char c);

// Lines of up to 72 characters, each padded with blanks to 72, joined.
std::string HeaderLines(std::initializer_list<std::string_view> lines);

// How the header records in front of the picture data look.
struct HeaderPlan {
    int records = 2;         // 0, 1 or 2 header records
    std::string text1{};     // record 1's characters (blank-padded / cut to 360)
    std::string text2{};     // record 2's characters
    bool longFirstRecord = false;  // record 1 led by E2 01 and two bytes longer
};

// The header records' bytes: length word, packed text, for each record.
std::vector<std::uint8_t> BuildHeaderRecords(const HeaderPlan& header, HighBitJunk* junk = nullptr);

}  // namespace orbalux::encoder
