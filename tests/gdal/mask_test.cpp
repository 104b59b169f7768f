// The mask: 0 on every pixel that is not picture data (rows of lost lines,
// rows read past the end of a cut file, the columns that hold no sample, the
// grey field around a reduction), through every geometry option and in the
// frame layout; statistics count the data pixels only, a GeoTIFF copy keeps
// the mask, overviews have it, and with NODATA the planetary formats' copies
// hold it as their null value.
#include <algorithm>
#include <gtest/gtest.h>

#include <numeric>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

struct Masked {
    Picture picture;
    std::vector<std::uint8_t> mask;
    int flags = 0;
    std::uint64_t DataCount() const { return static_cast<std::uint64_t>(std::count(mask.begin(), mask.end(), 255)); }
};

Masked ReadMasked(GDALDatasetH dataset) {
    Masked m;
    m.picture = ReadBand(dataset);
    GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
    m.flags = GDALGetMaskFlags(band);
    m.mask.resize(m.picture.pixels.size());
    EXPECT_EQ(GDALRasterIO(GDALGetMaskBand(band), GF_Read, 0, 0, m.picture.width, m.picture.height, m.mask.data(),
                           m.picture.width, m.picture.height, GDT_Byte, 0, 0),
              CE_None);
    return m;
}

Masked OpenMasked(const std::string& path, const std::vector<std::string>& options = {}) {
    GDALDatasetH dataset = OpenMariner(path, options);
    if (dataset == nullptr) {
        ADD_FAILURE() << path << ": " << CPLGetLastErrorMsg();
        return {};
    }
    Masked m = ReadMasked(dataset);
    GDALClose(dataset);
    return m;
}

class MaskTest : public ::testing::Test {
protected:
    ScratchFolder scratch;

    // A file of `name`'s format whose records of picture rows 99 and 300 are
    // absent (two lines lost in transmission, as a real volume has them), or
    // cut after its first 40 records.
    enc::PictureFilePlan Plan(const std::string& name, bool cut) {
        enc::PictureFilePlan plan = PlanFor(name, 5);
        if (cut) {
            plan.truncateAt = static_cast<std::size_t>(plan.dataOffset) +
                              40 * static_cast<std::size_t>(enc::LineLayoutFor(plan.lineFormat).RecordBytes());
        } else {
            plan.defects = {{.line = 100, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent},
                            {.line = 301, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
        }
        WritePlan(scratch / name, plan);
        return plan;
    }
};

// Blocks of `size` consecutive rows (from row 0, `rows` rows in all) in which
// every row is received.
int WholeBlocks(int rows, int size, const std::vector<bool>& received) {
    int whole = 0;
    for (int first = 0; first + size <= rows; first += size) {
        bool all = true;
        for (int r = first; r < first + size; ++r) all = all && r < static_cast<int>(received.size()) && received[r];
        whole += all ? 1 : 0;
    }
    return whole;
}

TEST_F(MaskTest, DataPixelsUnderEveryGeometryOptionForLostLinesAndACutFile) {
    const std::string name = NameWithFormat(945);
    for (const bool cut : {false, true}) {
        SCOPED_TRACE(cut ? "cut after 40 records" : "two lines lost");
        const enc::PictureFilePlan plan = Plan(name, cut);
        const int lines = plan.picture.height, samples = plan.picture.width;  // 702 x 945
        // Which rows of the 704-row frame hold a line received from the file.
        std::vector<bool> received(704, false);
        for (int row = 0; row < lines; ++row) received[row] = cut ? row < 40 : row != 99 && row != 300;
        const int rowsReceived = static_cast<int>(std::count(received.begin(), received.end(), true));

        const Masked plain = OpenMasked(scratch / name);
        EXPECT_EQ(plain.flags, GMF_PER_DATASET);
        const std::uint64_t whole = static_cast<std::uint64_t>(rowsReceived) * samples;
        EXPECT_EQ(plain.DataCount(), whole);
        EXPECT_EQ(OpenMasked(scratch / name, {"FLIP=YES"}).DataCount(), whole);
        EXPECT_EQ(OpenMasked(scratch / name, {"ROTATE=YES"}).DataCount(), whole);
        // A reduced pixel is data when its whole block is: 2 x 2 and 4 x 4
        // blocks from the frame's corner, columns up to the 945th sample.
        EXPECT_EQ(OpenMasked(scratch / name, {"HALF=YES"}).DataCount(),
                  static_cast<std::uint64_t>(WholeBlocks(704, 2, received)) * (samples / 2));
        EXPECT_EQ(OpenMasked(scratch / name, {"QUARTER=YES"}).DataCount(),
                  static_cast<std::uint64_t>(WholeBlocks(704, 4, received)) * (samples / 4));

        // The frame layout: a row per line in record order, masked where the
        // line was never received.
        const Masked frame = OpenMasked(scratch / name, {"FRAME=YES"});
        ASSERT_EQ(frame.picture.height, lines);
        EXPECT_EQ(frame.DataCount(), whole);
        for (int row = 0; row < lines; ++row)
            EXPECT_EQ(frame.mask[static_cast<std::size_t>(row) * samples], received[row] ? 255 : 0) << "row " << row;
    }
}

TEST_F(MaskTest, NarrowFormatWidenedAndStatisticsOfDataPixelsOnly) {
    const std::string name = NameWithFormat(136);
    const enc::PictureFilePlan plan = Plan(name, false);
    const int lines = plan.picture.height, samples = plan.picture.width;
    // Beside the samples lies the grey field, never data; widened, each
    // sample is six columns.
    EXPECT_EQ(OpenMasked(scratch / name).DataCount(), static_cast<std::uint64_t>(lines - 2) * samples);
    EXPECT_EQ(OpenMasked(scratch / name, {"HORIZONTAL_STRETCH=YES"}).DataCount(),
              static_cast<std::uint64_t>(lines - 2) * samples * 6);

    // The mean of the received lines' samples, as the encoder wrote them,
    // not pulled towards the grey field or the lost lines' black rows.
    double sum = 0;
    for (int row = 0; row < lines; ++row)
        if (row != 99 && row != 300)
            for (int x = 0; x < samples; ++x) sum += plan.picture.pixels[static_cast<std::size_t>(row) * samples + x];
    const double expected = sum / (static_cast<double>(lines - 2) * samples);
    GDALDatasetH dataset = OpenMariner(scratch / name);
    double min = 0, max = 0, mean = 0, stddev = 0;
    ASSERT_EQ(GDALComputeRasterStatistics(GDALGetRasterBand(dataset, 1), FALSE, &min, &max, &mean, &stddev, nullptr,
                                          nullptr),
              CE_None);
    EXPECT_NEAR(mean, expected, 1e-9);
    EXPECT_GE(min, 100);  // the encoder wrote levels from 100: no black row counted

    // gdal_translate to GeoTIFF keeps the mask as the file's own.
    const std::string tiff = scratch / "copy.tif";
    GDALDatasetH copy = GDALCreateCopy(GDALGetDriverByName("GTiff"), tiff.c_str(), dataset, FALSE, nullptr, nullptr,
                                       nullptr);
    ASSERT_NE(copy, nullptr);
    GDALClose(copy);
    const Masked source = ReadMasked(dataset);
    GDALClose(dataset);
    dataset = GDALOpen(tiff.c_str(), GA_ReadOnly);
    const Masked read = ReadMasked(dataset);
    GDALClose(dataset);
    EXPECT_EQ(read.flags, GMF_PER_DATASET);
    EXPECT_EQ(read.mask, source.mask);
}

TEST_F(MaskTest, NoDataCopiesToIsis3AndPds4KeepTheMissingPixelsAndTheMean) {
    const std::string name = NameWithFormat(136);
    const enc::PictureFilePlan plan = Plan(name, false);  // rows 99 and 300 lost
    const int lines = plan.picture.height, samples = plan.picture.width;
    double sum = 0;
    for (int row = 0; row < lines; ++row)
        if (row != 99 && row != 300)
            for (int x = 0; x < samples; ++x) sum += plan.picture.pixels[static_cast<std::size_t>(row) * samples + x];
    const std::uint64_t data = static_cast<std::uint64_t>(lines - 2) * samples;

    GDALDatasetH source = OpenMariner(scratch / name, {"NODATA=-32768"});
    ASSERT_NE(source, nullptr);
    for (const char* driver : {"ISIS3", "PDS4"}) {
        SCOPED_TRACE(driver);
        const std::string output = scratch / (std::string("copy.") + driver + (driver[0] == 'I' ? ".cub" : ".xml"));
        GDALDatasetH copy =
            GDALCreateCopy(GDALGetDriverByName(driver), output.c_str(), source, FALSE, nullptr, nullptr, nullptr);
        ASSERT_NE(copy, nullptr) << CPLGetLastErrorMsg();
        GDALClose(copy);
        const char* const reader[] = {driver, nullptr};
        copy = GDALOpenEx(output.c_str(), GDAL_OF_RASTER, reader, nullptr, nullptr);
        ASSERT_NE(copy, nullptr);
        GDALRasterBandH band = GDALGetRasterBand(copy, 1);
        int hasNoData = FALSE;
        EXPECT_EQ(GDALGetRasterNoDataValue(band, &hasNoData), -32768);
        EXPECT_TRUE(hasNoData);
        const int width = GDALGetRasterXSize(copy), height = GDALGetRasterYSize(copy);
        std::vector<std::int16_t> values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        ASSERT_EQ(GDALRasterIO(band, GF_Read, 0, 0, width, height, values.data(), width, height, GDT_Int16, 0, 0),
                  CE_None);
        GDALClose(copy);
        double copySum = 0;
        std::uint64_t copyData = 0;
        for (const std::int16_t v : values)
            if (v != -32768) copySum += v, ++copyData;
        EXPECT_EQ(copyData, data);
        EXPECT_EQ(values.size() - copyData, values.size() - data);  // the grey field and the two lost rows
        EXPECT_NEAR(copySum / static_cast<double>(copyData), sum / static_cast<double>(data), 1e-9);
    }
    GDALClose(source);
}

TEST_F(MaskTest, OverviewsHaveTheMaskReduced) {
    const std::string name = NameWithFormat(945);
    const enc::PictureFilePlan plan = Plan(name, false);  // rows 99 and 300 lost
    std::vector<bool> received(704, false);
    for (int row = 0; row < plan.picture.height; ++row) received[row] = row != 99 && row != 300;

    GDALDatasetH dataset = OpenMariner(scratch / name);
    const int level = 2;
    ASSERT_EQ(GDALBuildOverviews(dataset, "AVERAGE", 1, &level, 0, nullptr, nullptr, nullptr), CE_None);
    GDALClose(dataset);
    dataset = OpenMariner(scratch / name);
    GDALRasterBandH overview = GDALGetOverview(GDALGetRasterBand(dataset, 1), 0);
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(GDALGetMaskFlags(overview), GMF_PER_DATASET);
    const int width = GDALGetRasterBandXSize(overview), height = GDALGetRasterBandYSize(overview);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    ASSERT_EQ(GDALRasterIO(GDALGetMaskBand(overview), GF_Read, 0, 0, width, height, mask.data(), width, height,
                           GDT_Byte, 0, 0),
              CE_None);
    // A pixel of the overview is data where its 2 x 2 block is: the rows of
    // the lost lines and the frame's two unsent rows are not.
    EXPECT_EQ(static_cast<std::uint64_t>(std::count(mask.begin(), mask.end(), 255)),
              static_cast<std::uint64_t>(WholeBlocks(704, 2, received)) * (plan.picture.width / 2));
    // A zoomed-out read of the band's mask is the overview's.
    std::vector<std::uint8_t> zoomed(mask.size());
    ASSERT_EQ(GDALRasterIO(GDALGetMaskBand(GDALGetRasterBand(dataset, 1)), GF_Read, 0, 0, GDALGetRasterXSize(dataset),
                           GDALGetRasterYSize(dataset), zoomed.data(), width, height, GDT_Byte, 0, 0),
              CE_None);
    EXPECT_EQ(zoomed, mask);
    GDALClose(dataset);
}

}  // namespace
}  // namespace gdal_test
