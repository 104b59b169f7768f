#include "tools/encoder/header_text.h"

#include <gtest/gtest.h>

namespace orbalux::encoder {
namespace {

TEST(HeaderText, CharactersTakeTheirEbcdicCodes) {
    EXPECT_EQ(CharToEbcdic('A'), 0xC1);
    EXPECT_EQ(CharToEbcdic('I'), 0xC9);
    EXPECT_EQ(CharToEbcdic('J'), 0xD1);
    EXPECT_EQ(CharToEbcdic('R'), 0xD9);
    EXPECT_EQ(CharToEbcdic('S'), 0xE2);
    EXPECT_EQ(CharToEbcdic('Z'), 0xE9);
    EXPECT_EQ(CharToEbcdic('0'), 0xF0);
    EXPECT_EQ(CharToEbcdic('9'), 0xF9);
    const std::pair<char, int> punctuation[] = {{'.', 0x4B}, {'+', 0x4E}, {';', 0x5E}, {'-', 0x60},
                                                {'/', 0x61}, {':', 0x7A}, {'=', 0x7E}, {'{', 0xC0},
                                                {'}', 0xD0}};
    for (auto [c, code] : punctuation) EXPECT_EQ(CharToEbcdic(c), code) << c;
    for (char c : {' ', 'a', 'z', '#', '_', '\0'}) EXPECT_EQ(CharToEbcdic(c), 0x40) << int(c);
}

TEST(HeaderText, LinesArePaddedAndCutTo72Characters) {
    const std::string text = HeaderLines({"AB", std::string(80, 'X')});
    ASSERT_EQ(text.size(), 144u);
    EXPECT_EQ(text.substr(0, 3), "AB ");
    EXPECT_EQ(text.substr(72), std::string(72, 'X'));
}

TEST(HeaderText, TwoRecordsLieAt0And482) {
    const auto bytes = BuildHeaderRecords({.records = 2, .text1 = "ABC", .text2 = "3"});
    ASSERT_EQ(bytes.size(), 964u);
    EXPECT_EQ(bytes[0], 0xE0);  // length word 480
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.begin() + 6),
              (std::vector<std::uint8_t>{0x30, 0x1C, 0x0B, 0x03}));
    // three EBCDIC blanks 40 40 40 fill the rest of the record
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 478, bytes.begin() + 482),
              (std::vector<std::uint8_t>{0x10, 0x04, 0x01, 0x00}));
    EXPECT_EQ(bytes[482], 0xE0);
    EXPECT_EQ(bytes[483], 0x01);
    // "3" then two blanks: codes F3 40 40
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 484, bytes.begin() + 488),
              (std::vector<std::uint8_t>{0x3C, 0x34, 0x01, 0x00}));
}

TEST(HeaderText, LongFirstRecordMovesRecordTwoTextTo486) {
    const auto bytes = BuildHeaderRecords({.records = 2, .text1 = "", .text2 = "ABC", .longFirstRecord = true});
    ASSERT_EQ(bytes.size(), 966u);  // 484 + 482
    EXPECT_EQ(bytes[0], 0xE2);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[484], 0xE0);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 486, bytes.begin() + 490),
              (std::vector<std::uint8_t>{0x30, 0x1C, 0x0B, 0x03}));
}

TEST(HeaderText, RecordCountDecidesTheLength) {
    EXPECT_TRUE(BuildHeaderRecords({.records = 0, .text1 = "A"}).empty());
    EXPECT_EQ(BuildHeaderRecords({.records = 1, .text1 = std::string(500, 'A')}).size(), 482u);
    EXPECT_THROW(BuildHeaderRecords({.records = 3}), std::invalid_argument);
}

}  // namespace
}  // namespace orbalux::encoder
