// The band: for every line format the converter's picture, the open options
// acting as the converter's flags, and damaged files read as the core decodes
// them.
#include <algorithm>
#include <gtest/gtest.h>

#include "decode/frame_formats.h"
#include "gdal_test_support.h"

namespace gdal_test {
namespace {

class BandTest : public ::testing::Test {
protected:
    ScratchFolder scratch;

    // Opens `path` with the driver and reads its band; an empty picture when
    // the driver does not open it.
    Picture DriverPicture(const std::string& path, const std::vector<std::string>& openOptions = {}) {
        GDALDatasetH dataset = OpenMariner(path, openOptions);
        if (dataset == nullptr) {
            ADD_FAILURE() << "MARINER67 did not open " << path << ": " << CPLGetLastErrorMsg();
            return {};
        }
        EXPECT_EQ(GDALGetRasterCount(dataset), 1);
        EXPECT_EQ(GDALGetRasterDataType(GDALGetRasterBand(dataset, 1)), GDT_Byte);
        Picture picture = ReadBand(dataset);
        GDALClose(dataset);
        return picture;
    }
};

TEST_F(BandTest, EveryLineFormatReadsAsTheConvertersPicture) {
    for (const orbalux::FrameFormat& format : orbalux::FrameFormats()) {
        SCOPED_TRACE(format.name);
        const std::string name = NameWithFormat(format.lineFormat);
        const enc::PictureFilePlan plan = PlanFor(name, static_cast<std::uint32_t>(format.lineFormat));
        WritePlan(scratch / name, plan);

        const Picture band = DriverPicture(scratch / name);
        EXPECT_EQ(band.width, format.width);
        EXPECT_EQ(band.height, format.height ? format.height
                                             : orbalux::Choose999LineCount(orbalux::LookUpCatalogue(name).frameLineCount).height);
        EXPECT_TRUE(band == ConverterPicture(scratch, scratch / name));
        // As the BMP shows it: the file's first line is the bottom row, its
        // first sample the left column.
        ASSERT_EQ(band.pixels.size(), static_cast<std::size_t>(band.width) * band.height);
        EXPECT_TRUE(std::equal(plan.picture.pixels.begin(), plan.picture.pixels.begin() + plan.picture.width,
                               band.pixels.end() - band.width));
    }
}

// A closed dataset's memory serves the next open, never one still open: a
// large picture and a small one held together after each was closed once.
TEST_F(BandTest, DatasetsOpenTogetherKeepTheirOwnPixels) {
    const std::string large = scratch / NameWithFormat(1023), small = scratch / NameWithFormat(136);
    WritePlan(large, PlanFor(NameWithFormat(1023), 3));
    WritePlan(small, PlanFor(NameWithFormat(136), 4));
    const Picture largePicture = ConverterPicture(scratch, large), smallPicture = ConverterPicture(scratch, small);
    for (const std::string& path : {large, small}) GDALClose(OpenMariner(path));

    GDALDatasetH first = OpenMariner(small);
    GDALDatasetH second = OpenMariner(large);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    GDALDatasetH third = OpenMariner(small, {"FRAME=YES"});
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(ReadBand(first) == smallPicture);
    EXPECT_TRUE(ReadBand(second) == largePicture);
    GDALClose(third);
    GDALClose(first);
    GDALDatasetH fourth = OpenMariner(large);
    ASSERT_NE(fourth, nullptr);
    EXPECT_TRUE(ReadBand(second) == largePicture);
    EXPECT_TRUE(ReadBand(fourth) == largePicture);
    GDALClose(second);
    GDALClose(fourth);
}

TEST_F(BandTest, AWindowReadsIntoAnySpacingAsTheWholeBandHasIt) {
    const std::string name = NameWithFormat(945);
    WritePlan(scratch / name, PlanFor(name));
    GDALDatasetH dataset = OpenMariner(scratch / name);
    ASSERT_NE(dataset, nullptr);
    const Picture whole = ReadBand(dataset);
    // Ten columns from the fourth, four rows from the sixth, every other byte
    // of rows 25 bytes apart.
    std::vector<std::uint8_t> spaced(100, 7);
    ASSERT_EQ(GDALRasterIOEx(GDALGetRasterBand(dataset, 1), GF_Read, 3, 5, 10, 4, spaced.data(), 10, 4, GDT_Byte, 2, 25,
                             nullptr),
              CE_None);
    GDALClose(dataset);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 10; ++column) {
            EXPECT_EQ(spaced[static_cast<std::size_t>(row * 25 + column * 2)],
                      whole.pixels[static_cast<std::size_t>((5 + row) * whole.width + 3 + column)]);
            EXPECT_EQ(spaced[static_cast<std::size_t>(row * 25 + column * 2 + 1)], 7);
        }
}

TEST_F(BandTest, OpenOptionsActAsTheConvertersFlags) {
    struct Case {
        std::string name;
        std::vector<std::string> openOptions;
        std::vector<std::string> flags;
    };
    // Every option at least once; a narrow format for the widening; lost
    // lines for the repair and the gaps.
    const std::string wide = NameWithFormat(945), narrow = NameWithFormat(136), tall = NameWithFormat(999);
    const std::vector<Case> cases = {
        {wide, {"STRETCH=YES", "DESPECKLE=YES"}, {"--stretch", "--despeckle"}},
        {wide, {"FLIP=YES", "INVERT=YES", "BRIGHTNESS=2", "CONTRAST=-1"},
         {"--flip", "--invert", "--brightness", "2", "--contrast", "-1"}},
        {tall, {"ROTATE=YES", "HALF=YES", "FILL_MISSING=YES", "CONTRAST=3"},
         {"--rotate", "--half", "--fill-missing", "--contrast", "3"}},
        {narrow, {"QUARTER=YES", "HORIZONTAL_STRETCH=YES", "KEEP_GAPS=YES", "STRETCH=NO"},
         {"--quarter", "--horizontal-stretch", "--keep-gaps"}},
        {narrow, {"HORIZONTAL_STRETCH=YES", "BRIGHTNESS=-3"}, {"--horizontal-stretch", "--brightness", "-3"}},
        {wide, {"PERCENT_STRETCH=2,98", "ROTATE=YES"}, {"--percent-stretch=2,98", "--rotate"}},
        {tall, {"EQUALIZE=YES", "CONTRAST=-1"}, {"--equalize", "--contrast", "-1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + ::testing::PrintToString(c.openOptions));
        enc::PictureFilePlan plan = PlanFor(c.name, 7);
        plan.defects = {{.line = 100, .droppedBefore = 1}, {.line = 300, .droppedBefore = 3}};
        WritePlan(scratch / c.name, plan);
        const Picture band = DriverPicture(scratch / c.name, c.openOptions);
        const Picture converted = ConverterPicture(scratch, scratch / c.name, c.flags);
        EXPECT_TRUE(band == converted);
        // The option changed the picture: a mapping that did nothing fails.
        EXPECT_FALSE(band == DriverPicture(scratch / c.name));
    }
}

TEST_F(BandTest, FrameLayoutGivesTheEncodersRowsInRecordOrder) {
    // A wide format, the narrow one (grey field beside) and the 999-sample
    // one (zero column): of each row only the picture samples.
    for (const int lineFormat : {945, 136, 999}) {
        const std::string name = NameWithFormat(lineFormat);
        SCOPED_TRACE(name);
        enc::PictureFilePlan plan = PlanFor(name, 11);
        plan.defects = {{.line = 100, .droppedBefore = 1}, {.line = 300, .droppedBefore = 3}};
        WritePlan(scratch / name, plan);

        const Picture frame = DriverPicture(scratch / name, {"FRAME=YES"});
        const int lines = plan.picture.height, samples = plan.picture.width;
        ASSERT_EQ(frame.width, samples);
        // Every record keeps its row, and each of the 4 lost lines has one.
        ASSERT_EQ(frame.height, lines + 4);
        // Record i lies below the lines lost before it: one before record
        // 100, three more before record 300; the first at row 0.
        for (int record = 0; record < lines; ++record) {
            const int row = record + (record >= 100 ? 1 : 0) + (record >= 300 ? 3 : 0);
            const auto from = plan.picture.pixels.begin() + static_cast<std::ptrdiff_t>(record) * samples;
            ASSERT_TRUE(std::equal(from, from + samples, frame.pixels.begin() + static_cast<std::ptrdiff_t>(row) * samples))
                << "record " << record;
        }
    }
    // The frame is the decoded values: a display option with it is refused.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    GDALDatasetH refused = OpenMariner(scratch / NameWithFormat(945), {"FRAME=YES", "STRETCH=YES"});
    CPLPopErrorHandler();
    EXPECT_EQ(refused, nullptr);
    EXPECT_NE(std::string(CPLGetLastErrorMsg()).find("FRAME=YES"), std::string::npos);
}

TEST_F(BandTest, FrameLayoutHasARowForEveryRecordAndLostLineOfEveryFormat) {
    // Lost lines whose records the file leaves out, as on the volume, or
    // keeps (then a row more than the frame's lines each).
    for (const orbalux::FrameFormat& format : orbalux::FrameFormats()) {
        for (const enc::LostLineShape shape : {enc::LostLineShape::RecordsAbsent, enc::LostLineShape::RecordsKept}) {
            const std::string name = NameWithFormat(format.lineFormat);
            SCOPED_TRACE(::testing::Message() << name << (shape == enc::LostLineShape::RecordsKept ? " kept" : ""));
            enc::PictureFilePlan plan = PlanFor(name, 13);
            plan.defects = {{.line = 100, .droppedBefore = 1, .shape = shape},
                            {.line = 300, .droppedBefore = 1, .shape = shape}};
            const enc::EncodedFile file = enc::BuildPictureFile(plan);
            enc::WriteFile(scratch / name, file.bytes);
            GDALDatasetH dataset = OpenMariner(scratch / name, {"FRAME=YES"});
            ASSERT_NE(dataset, nullptr) << CPLGetLastErrorMsg();
            const Picture frame = ReadBand(dataset);
            std::vector<std::uint8_t> mask(static_cast<std::size_t>(frame.height));
            ASSERT_EQ(GDALRasterIO(GDALGetMaskBand(GDALGetRasterBand(dataset, 1)), GF_Read, 0, 0, 1, frame.height,
                                   mask.data(), 1, frame.height, GDT_Byte, 0, 0),
                      CE_None);
            GDALClose(dataset);
            // A row per record and per lost line; the records received, the
            // last of them the last row.
            EXPECT_EQ(frame.height, static_cast<int>(file.markerOffsets.size()) + 2);
            EXPECT_EQ(std::count(mask.begin(), mask.end(), 255), static_cast<long>(file.markerOffsets.size()));
            EXPECT_TRUE(std::equal(plan.picture.pixels.end() - plan.picture.width, plan.picture.pixels.end(),
                                   frame.pixels.end() - frame.width));
        }
    }
}

TEST_F(BandTest, TruncatedAndDamagedFilesReadAsTheCoreDecodesThem) {
    const std::string name = NameWithFormat(945);
    struct Damage {
        const char* what;
        std::size_t truncateAt;
        std::optional<std::uint32_t> junk;
    };
    for (const Damage& damage : {Damage{"cut after 40 lines", 964 + 40 * 1262, {}},
                                 Damage{"cut inside the first line", 964 + 300, {}},
                                 Damage{"high bits set at random", 0, 77u}}) {
        SCOPED_TRACE(damage.what);
        enc::PictureFilePlan plan = PlanFor(name, 3);
        if (damage.truncateAt) plan.truncateAt = damage.truncateAt;
        plan.junkSeed = damage.junk;
        WritePlan(scratch / name, plan);
        const Picture band = DriverPicture(scratch / name);
        EXPECT_EQ(band.width, 948);
        EXPECT_EQ(band.height, 704);
        EXPECT_TRUE(band == ConverterPicture(scratch, scratch / name));
    }
}

}  // namespace
}  // namespace gdal_test
