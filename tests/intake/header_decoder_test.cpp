#include "intake/header_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/encoder/header_text.h"

namespace orbalux {
namespace {

// Writes 360 characters of `text` (blank-padded) as one record's text: three
// codes per four six-bit bytes. The unused top two bits are set on every other
// byte, as noise the reader must ignore.
void PackRecordText(std::vector<std::uint8_t>& file, std::size_t at, std::string text) {
    text.resize(kHeaderChars, ' ');
    for (std::size_t g = 0; g < kHeaderChars / 3; ++g) {
        const std::uint32_t v = (encoder::CharToEbcdic(text[3 * g]) << 16) | (encoder::CharToEbcdic(text[3 * g + 1]) << 8) |
                                encoder::CharToEbcdic(text[3 * g + 2]);
        for (std::size_t i = 0; i < 4; ++i) {
            const auto six = static_cast<std::uint8_t>((v >> (18 - 6 * i)) & 0x3F);
            file[at + 4 * g + i] = six | (((g + i) % 2) ? 0xC0 : 0x00);
        }
    }
}

// A record text whose 72-character lines start with "<tag>n" and end with
// `lastChar` on the line `lastLine` (0-based), "X" elsewhere.
std::string RecordText(const std::string& tag, int lastLine = -1, char lastChar = 'L') {
    std::string text;
    for (int line = 0; line < 5; ++line) {
        std::string l = tag + std::to_string(line + 1) + " SOL 1969:07:31";
        l.resize(71, ' ');
        l += (line == lastLine) ? lastChar : 'X';
        text += l;
    }
    return text;
}

std::string Line(const std::string& text, int index) { return text.substr(72 * index, 72); }

struct HeaderFile {
    PictureState state;

    // A file of the usual layout: record 1 led by the length word 482
    // (E2 01), record 2 led by its own length word at 482.
    explicit HeaderFile(int dataOffset, std::uint8_t lead0 = 0xE2, std::uint8_t lead1 = 0x01) {
        state.FileBuffer.assign(kFileBufferSize, 0);
        state.FileBuffer[0] = lead0;
        state.FileBuffer[1] = lead1;
        state.DataOffset = dataOffset;
    }
    void Record1(const std::string& text) { PackRecordText(state.FileBuffer, 2, text); }
    void Record2At(std::size_t at, const std::string& text) { PackRecordText(state.FileBuffer, at, text); }
    void Decode() {
        state.LeadByte0 = FileByte(state, 0);
        state.LeadByte1 = FileByte(state, 1);
        DecodeHeader(state);
    }
};

void ExpectNoHeader(const PictureState& state) {
    EXPECT_EQ(state.HeaderLines[0], "No Header");
    for (int i = 1; i < kHeaderLines; ++i) EXPECT_EQ(state.HeaderLines[i], " ") << "label " << i + 1;
}

TEST(EbcdicToChar, MapsTheFortySixCharactersAndBlanksEverythingElse) {
    const std::string expected = ".+;-/:={ABCDEFGHI}JKLMNOPQRSTUVWXYZ0123456789";
    std::string seen;
    for (int code = 0; code < 256; ++code) {
        const char c = EbcdicToChar(static_cast<std::uint8_t>(code));
        if (c != ' ') seen += c;
    }
    EXPECT_EQ(seen, expected);
    // Neighbours of the letter runs and the lower-case letters stay blank.
    for (int code : {0x40, 0x81, 0x89, 0xCA, 0xCF, 0xE0, 0xE1, 0xEA, 0xFA, 0xFF}) {
        EXPECT_EQ(EbcdicToChar(static_cast<std::uint8_t>(code)), ' ') << std::hex << code;
    }
    EXPECT_EQ(EbcdicToChar(0xC9), 'I');
    EXPECT_EQ(EbcdicToChar(0xD1), 'J');
    EXPECT_EQ(EbcdicToChar(0xE2), 'S');
    EXPECT_EQ(EbcdicToChar(0xF9), '9');
}

TEST(DecodeHeader, UnpacksSixBitGroupsIgnoringTheTopTwoBits) {
    struct Case {
        std::uint8_t bytes[4];
        std::uint8_t codes[3];
        const char* text;
    };
    const Case cases[] = {
        {{0x30, 0x1C, 0x0B, 0x03}, {0xC1, 0xC2, 0xC3}, "ABC"},
        {{0xF0, 0xDC, 0xCB, 0xC3}, {0xC1, 0xC2, 0xC3}, "ABC"},
        {{0x3C, 0x3F, 0x3F, 0x3F}, {0xF3, 0xFF, 0xFF}, "3  "},
    };
    for (const Case& c : cases) {
        HeaderFile f(482);
        for (int i = 0; i < 4; ++i) f.state.FileBuffer[2 + i] = c.bytes[i];
        f.Decode();
        for (int i = 0; i < 3; ++i) EXPECT_EQ(f.state.HeaderCodes1[i], c.codes[i]) << c.text << " code " << i;
        EXPECT_EQ(f.state.HeaderLines[0].substr(0, 3), c.text);
    }
}

TEST(DecodeHeader, OneRecordGivesFiveLinesThenBlankLinesUnlessItEndsInL) {
    const std::string record1 = RecordText("ONE");
    HeaderFile f(482);
    f.Record1(record1);
    f.Record2At(484, RecordText("TWO"));  // present in the file, but not a header of this one
    f.Decode();
    ASSERT_EQ(f.state.HeaderLines.size(), 10u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.state.HeaderLines[i], Line(record1, i));
    for (int i = 5; i < 10; ++i) EXPECT_EQ(f.state.HeaderLines[i], std::string(72, ' ')) << "line " << i + 1;

    const std::string ending = RecordText("ONE", 4, 'L');
    HeaderFile g(482);
    g.Record1(ending);
    g.Decode();
    EXPECT_EQ(g.state.HeaderLines[4], Line(ending, 4));
    EXPECT_EQ(g.state.HeaderLines[4].back(), 'L');
    for (int i = 5; i < 10; ++i) EXPECT_EQ(g.state.HeaderLines[i], "") << "line " << i + 1;
}

TEST(DecodeHeader, SecondRecordLinesStopAtTheFirstLineEndingInL) {
    const std::string record1 = RecordText("ONE");
    const std::string record2 = RecordText("TWO", 2, 'L');
    HeaderFile f(964, 0xE2, 0x02);  // not the E2 01 length word: record 2 text at 484
    f.Record1(record1);
    f.Record2At(484, record2);
    f.Decode();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.state.HeaderLines[i], Line(record1, i));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.state.HeaderLines[5 + i], Line(record2, i));
    EXPECT_EQ(f.state.HeaderLines[8], "");
    EXPECT_EQ(f.state.HeaderLines[9], "");

    // Without any "L" all five lines of record 2 are shown; a larger offset
    // (more data in front of the picture) still reads record 2.
    const std::string full = RecordText("TWO");
    HeaderFile g(1928, 0x01, 0x00);
    g.Record1(record1);
    g.Record2At(484, full);
    g.Decode();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.state.HeaderLines[5 + i], Line(full, i));
}

TEST(DecodeHeader, LengthWord482MovesTheSecondRecordTwoBytesOn) {
    const std::string record2 = RecordText("TWO");
    HeaderFile f(964, 0xE2, 0x01);
    f.Record1(RecordText("ONE"));
    f.Record2At(486, record2);
    f.Decode();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.state.HeaderLines[5 + i], Line(record2, i));

    // Any other lead word reads from 484: the same bytes then give other text.
    HeaderFile other(964, 0xE3, 0x01);
    other.Record1(RecordText("ONE"));
    other.Record2At(486, record2);
    other.Decode();
    EXPECT_NE(other.state.HeaderLines[5], Line(record2, 0));

    // With one header record the second is never read, E2 01 or not.
    HeaderFile one(482, 0xE2, 0x01);
    one.Record1(RecordText("ONE"));
    one.Record2At(486, record2);
    one.Decode();
    for (int i = 5; i < 10; ++i) EXPECT_EQ(one.state.HeaderLines[i], std::string(72, ' '));
    for (char c : one.state.HeaderChars2) EXPECT_EQ(c, ' ');
}

TEST(DecodeHeader, NoHeaderBelowOneRecordOrWithLeadingZero) {
    for (int offset : {0, 2, 4, 20, 24, 48, 481}) {
        HeaderFile f(offset);
        f.Record1(RecordText("ONE"));
        f.Decode();
        SCOPED_TRACE(offset);
        ExpectNoHeader(f.state);
    }
    HeaderFile zero(964, 0x00, 0x01);
    zero.Record1(RecordText("ONE"));
    zero.Record2At(484, RecordText("TWO"));
    zero.Decode();
    ExpectNoHeader(zero.state);
}

TEST(DecodeHeader, ShortOrEmptyFileReadsMissingBytesAsZero) {
    PictureState state;
    state.FileBuffer = {0x01, 0x00, 0x30, 0x1C, 0x0B, 0x03, 0x3F};  // "ABC", then one byte of a group
    state.DataOffset = 964;
    state.LeadByte0 = 0x01;
    DecodeHeader(state);
    EXPECT_EQ(state.HeaderCodes1[3], 0xFC);  // 3F then zero bytes
    EXPECT_EQ(state.HeaderCodes1[4], 0x00);
    EXPECT_EQ(state.HeaderLines[0], "ABC" + std::string(69, ' '));
    EXPECT_EQ(state.HeaderLines[9], std::string(72, ' '));

    state.FileBuffer.clear();
    DecodeHeader(state);
    for (std::uint8_t code : state.HeaderCodes1) EXPECT_EQ(code, 0);
    EXPECT_EQ(state.HeaderLines[0], std::string(72, ' '));
}

TEST(DecodeHeader, NothingOfThePreviousHeaderSurvives) {
    HeaderFile f(964, 0x01, 0x00);
    f.Record1(RecordText("ONE"));
    f.Record2At(484, RecordText("TWO"));
    f.Decode();
    ASSERT_EQ(f.state.HeaderLines[9].substr(0, 4), "TWO5");

    // Next file: one record ending in "L"; the second record's codes, characters
    // and lines of the first file are gone.
    const std::string next = RecordText("NEW", 4, 'L');
    f.state.FileBuffer.assign(kFileBufferSize, 0);
    f.state.FileBuffer[0] = 0xE2;
    f.state.FileBuffer[1] = 0x01;
    f.state.DataOffset = 482;
    f.Record1(next);
    f.Decode();
    EXPECT_EQ(f.state.HeaderLines[0], Line(next, 0));
    for (int i = 5; i < 10; ++i) EXPECT_EQ(f.state.HeaderLines[i], "");
    for (std::uint8_t code : f.state.HeaderCodes2) EXPECT_EQ(code, 0);
    for (char c : f.state.HeaderChars2) EXPECT_EQ(c, ' ');

    // And a file without header after it.
    f.state.DataOffset = 4;
    f.Decode();
    ExpectNoHeader(f.state);
}

}  // namespace
}  // namespace orbalux
