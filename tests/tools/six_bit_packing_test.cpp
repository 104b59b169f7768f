#include "tools/encoder/six_bit_packing.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace orbalux::encoder {
namespace {

using Group = std::array<std::uint8_t, 4>;

TEST(SixBitPacking, PixelGroupsMatchTheTelemetryExamples) {
    EXPECT_EQ(PackGroup(4, 32, 196), (Group{0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(PackGroup(255, 255, 255), (Group{0x3F, 0x3F, 0x3F, 0x3F}));
    EXPECT_EQ(PackGroup(0, 0, 0), (Group{0, 0, 0, 0}));
}

TEST(SixBitPacking, HeaderCodesMatchTheTelemetryExamples) {
    EXPECT_EQ(PackGroup(0xC1, 0xC2, 0xC3), (Group{0x30, 0x1C, 0x0B, 0x03}));  // "ABC"
    EXPECT_EQ(PackGroup(0xF3, 0xFF, 0xFF), (Group{0x3C, 0x3F, 0x3F, 0x3F}));
}

TEST(SixBitPacking, HighBitsLandInTheUnusedTopOfEachByte) {
    EXPECT_EQ(PackGroup(0xC1, 0xC2, 0xC3, 0xFF), (Group{0xF0, 0xDC, 0xCB, 0xC3}));
    EXPECT_EQ(PackGroup(4, 32, 196, 0b11'10'01'00), (Group{0xC1, 0x82, 0x43, 0x04}));
}

// Reads a group back the way a reader of the files does: low six bits only.
std::array<int, 3> Unpack(const std::uint8_t* b) {
    const int c0 = b[0] & 63, c1 = b[1] & 63, c2 = b[2] & 63, c3 = b[3] & 63;
    return {c0 * 4 + c1 / 16, (c1 % 16) * 16 + c2 / 4, (c2 % 4) * 64 + c3};
}

TEST(SixBitPacking, JunkChangesOnlyTheHighBitsAndShortGroupsAreZeroFilled) {
    std::vector<std::uint8_t> values;
    for (int v = 0; v < 256; ++v) values.push_back(static_cast<std::uint8_t>(v * 37 + 11));
    values.push_back(200);  // a short last group: 257 values

    std::vector<std::uint8_t> clean, junked;
    AppendPacked(values, clean);
    HighBitJunk junk(7);
    AppendPacked(values, junked, &junk);

    ASSERT_EQ(clean.size(), 86u * 4);
    ASSERT_EQ(junked.size(), clean.size());
    int bytesWithJunk = 0;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        EXPECT_EQ(clean[i] & 0xC0, 0) << i;
        EXPECT_EQ(junked[i] & 0x3F, clean[i]) << i;
        bytesWithJunk += (junked[i] & 0xC0) != 0;
    }
    EXPECT_GT(bytesWithJunk, 200);  // the junk really is there
    for (std::size_t g = 0; g < clean.size() / 4; ++g) {
        const auto unpacked = Unpack(&junked[4 * g]);
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t i = 3 * g + k;
            EXPECT_EQ(unpacked[k], i < values.size() ? values[i] : 0) << i;
        }
    }
}

}  // namespace
}  // namespace orbalux::encoder
