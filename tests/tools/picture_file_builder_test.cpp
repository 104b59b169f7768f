#include "tools/encoder/picture_encoder.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <set>

namespace orbalux::encoder {
namespace {

std::uint16_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

TEST(LineLayouts, RecordLengthFollowsTheMarkerWord) {
    // A record is its marker word plus that many data bytes, rounded up to even.
    std::set<int> formats;
    for (const LineLayout& layout : AllLineLayouts()) {
        formats.insert(layout.lineFormat);
        EXPECT_EQ((layout.primaryMarker + 1) / 2 * 2, 4 * layout.groups + layout.trailingBytes)
            << layout.lineFormat;
    }
    EXPECT_EQ(formats, (std::set<int>{945, 999, 136, 975, 960, 955, 801, 699, 876, 1023, 951, 849, 600,
                                      750, 864, 34}));
    EXPECT_EQ(LineLayoutFor(136).PixelsPerLine(), 135);
    EXPECT_EQ(LineLayoutFor(34).PixelsPerLine(), 33);
    EXPECT_EQ(LineLayoutFor(945).GapMarker2(), 0x04E8);
    EXPECT_THROW(LineLayoutFor(0), std::invalid_argument);
}

GreyImage Ramp(int width, int height) {
    GreyImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 7);
    return image;
}

TEST(PictureFileBuilder, RecordsFollowTheHeaderBackToBack) {
    const GreyImage picture = Ramp(954, 3);
    const EncodedFile file = BuildPictureFile(
        {.lineFormat = 955, .header = {.records = 2}, .picture = picture, .trailingFill = 0x2A});
    const std::size_t record = 2 + 4 * 318 + 2;
    ASSERT_EQ(file.bytes.size(), 964 + 3 * record);
    EXPECT_EQ(file.markerOffsets, (std::vector<std::size_t>{964, 964 + record, 964 + 2 * record}));
    for (std::size_t at : file.markerOffsets) {
        EXPECT_EQ(WordAt(file.bytes, at), 0x04FA);
        EXPECT_EQ(file.bytes[at + record - 2], 0x2A);  // trailing bytes
        EXPECT_EQ(file.bytes[at + record - 1], 0x2A);
    }
    // second row, first group
    const auto group = PackGroup(picture.At(0, 1), picture.At(1, 1), picture.At(2, 1));
    EXPECT_TRUE(std::equal(group.begin(), group.end(), file.bytes.begin() + 964 + record + 2));
}

TEST(PictureFileBuilder, LostLinesWhoseRecordsAreAbsentLeaveOnlyTheirDisplacement) {
    // Rows 1 and 2 lost in front of row 3: their records are not written,
    // row 3's record starts 4 bytes late, and the file holds 4 of 6 records.
    const GreyImage picture = Ramp(945, 6);
    const EncodedFile file = BuildPictureFile({
        .lineFormat = 945,
        .header = {.records = 0},
        .dataOffset = 0,
        .picture = picture,
        .defects = {{.line = 3, .droppedBefore = 2, .shape = LostLineShape::RecordsAbsent}},
    });
    const std::size_t r = 1262;
    EXPECT_EQ(file.markerOffsets, (std::vector<std::size_t>{0, r + 4, 2 * r + 4, 3 * r + 4}));
    EXPECT_EQ(file.bytes.size(), 4 * r + 4);
    const auto group = PackGroup(picture.At(0, 3), picture.At(1, 3), picture.At(2, 3));
    EXPECT_TRUE(std::equal(group.begin(), group.end(), file.bytes.begin() + static_cast<std::ptrdiff_t>(r + 6)));
    // No lost line lies in front of the first row, and a lost row carries no defect of its own.
    EXPECT_THROW(BuildPictureFile({.lineFormat = 945, .picture = picture,
                                   .defects = {{.line = 1, .droppedBefore = 2, .shape = LostLineShape::RecordsAbsent}}}),
                 std::invalid_argument);
    EXPECT_THROW(BuildPictureFile({.lineFormat = 945, .picture = picture,
                                   .defects = {{.line = 2, .marker = MarkerKind::Gap1},
                                               {.line = 3, .droppedBefore = 1, .shape = LostLineShape::RecordsAbsent}}}),
                 std::invalid_argument);
}

TEST(PictureFileBuilder, DefectsShiftRecordsAndChangeMarkers) {
    const EncodedFile file = BuildPictureFile({
        .lineFormat = 945,
        .header = {.records = 1},
        .dataOffset = 500,
        .picture = Ramp(945, 6),
        .defects = {{.line = 1, .droppedBefore = 3},
                    {.line = 2, .marker = MarkerKind::Gap1},
                    {.line = 3, .displacement = -4, .marker = MarkerKind::Gap2},
                    {.line = 4, .displacement = 10, .marker = MarkerKind::Custom, .customMarker = 0x1234}},
    });
    const std::size_t r = 1262;
    const std::vector<std::size_t> expected{500, 500 + r + 6, 500 + 2 * r + 6, 500 + 3 * r + 2,
                                            500 + 4 * r + 12, 500 + 5 * r + 12};
    EXPECT_EQ(file.markerOffsets, expected);
    EXPECT_EQ(WordAt(file.bytes, expected[0]), 0x04EC);
    EXPECT_EQ(WordAt(file.bytes, expected[2]), 0x04EA);
    EXPECT_EQ(WordAt(file.bytes, expected[3]), 0x04E8);
    EXPECT_EQ(WordAt(file.bytes, expected[4]), 0x1234);
    EXPECT_EQ(file.bytes.size(), expected[5] + r);
    for (std::size_t i = 482; i < 500; ++i) EXPECT_EQ(file.bytes[i], 0) << i;                     // padding
    for (std::size_t i = 500 + r; i < expected[1]; ++i) EXPECT_EQ(file.bytes[i], 0) << i;         // lost lines
}

TEST(PictureFileBuilder, TruncatesAndPads) {
    PictureFilePlan plan{.lineFormat = 600, .header = {.records = 0}, .picture = Ramp(600, 2)};
    plan.truncateAt = 1000;
    EXPECT_EQ(BuildPictureFile(plan).bytes.size(), 1000u);
    plan.truncateAt.reset();
    plan.minimumLength = 5000;
    const auto padded = BuildPictureFile(plan).bytes;
    ASSERT_EQ(padded.size(), 5000u);
    EXPECT_EQ(WordAt(padded, 802), 0x0320);
    EXPECT_EQ(padded[4999], 0);
}

TEST(PictureFileBuilder, JunkSeedSetsHighBitsOfTextAndPixelsButNotMarkers) {
    const auto file = BuildPictureFile({.lineFormat = 600,
                                        .header = {.records = 1, .text1 = "ABC"},
                                        .picture = Ramp(600, 2),
                                        .junkSeed = 99u})
                          .bytes;
    int junked = 0;
    for (std::size_t i = 2; i < file.size(); ++i) {
        if (i == 482 || i == 483 || i == 1284 || i == 1285) continue;  // marker words
        junked += (file[i] & 0xC0) != 0;
    }
    EXPECT_GT(junked, 1000);
    EXPECT_EQ(file[2] & 0x3F, 0x30);
    EXPECT_EQ(WordAt(file, 482), 0x0320);
    EXPECT_EQ(WordAt(file, 1284), 0x0320);
}

TEST(PictureFileBuilder, RejectsImpossibleLayouts) {
    EXPECT_THROW(BuildPictureFile({.lineFormat = 945, .picture = Ramp(944, 1)}), std::invalid_argument);
    EXPECT_THROW(BuildPictureFile({.lineFormat = 945, .header = {.records = 2}, .dataOffset = 900,
                                   .picture = Ramp(945, 1)}),
                 std::invalid_argument);
    EXPECT_THROW(BuildPictureFile({.lineFormat = 945, .picture = Ramp(945, 2), .defects = {{.line = 1, .displacement = 3}}}),
                 std::invalid_argument);
    EXPECT_THROW(BuildPictureFile({.lineFormat = 945, .header = {.records = 0}, .picture = Ramp(945, 1),
                                   .defects = {{.line = 0, .displacement = -2}}}),
                 std::invalid_argument);
    EXPECT_THROW(BuildPictureFile({.lineFormat = 946}), std::invalid_argument);
}

TEST(PictureFileBuilder, EncodePictureAndWriteFileRoundTrip) {
    const auto bytes = EncodePicture(34, Ramp(33, 4), {.records = 2},
                                     std::vector<LineDefect>{{.line = 2, .droppedBefore = 1}});
    EXPECT_EQ(bytes.size(), 964u + 4 * 48 + 2);
    const auto path = std::filesystem::path(testing::TempDir()) / "orbalux_encoder_test.001";
    WriteFile(path, bytes);
    EXPECT_EQ(std::filesystem::file_size(path), bytes.size());
    std::filesystem::remove(path);
    EXPECT_THROW(WriteFile("/nonexistent-dir/x/y.001", bytes), std::runtime_error);
}

}  // namespace
}  // namespace orbalux::encoder
