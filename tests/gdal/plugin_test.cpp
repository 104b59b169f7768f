// The built plugin in GDAL's own programs: gdalinfo lists it, and
// gdal_translate turns the sample pictures into GeoTIFF and FITS whose pixels
// are the converter's, leaving nothing beside the picture files; with NODATA
// a FITS copy is complete, its lost lines BLANK.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include <cpl_conv.h>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

std::string Quoted(const std::string& arg) { return "'" + arg + "'"; }

// Runs `command` with the build's plugin folder as GDAL's driver path; its
// output goes to `log`.
int RunWithPlugin(const std::string& command, const std::string& log) {
    const std::string line =
        "GDAL_DRIVER_PATH=" + Quoted(ORBALUX_GDAL_PLUGIN_BUILD_DIR) + " " + command + " >" + Quoted(log) + " 2>&1";
    return std::system(line.c_str());
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PluginTest, GdalinfoListsTheDriver) {
    ScratchFolder scratch;
    ASSERT_EQ(RunWithPlugin("gdalinfo --formats", scratch / "log"), 0);
    EXPECT_NE(ReadText(scratch / "log").find("MARINER67 -raster- (rov): Mariner 6/7 television picture file"),
              std::string::npos);
}

TEST(PluginTest, GdalTranslateWritesTheConvertersPixelsToGeoTiffAndFits) {
    ScratchFolder scratch;
    const std::vector<std::string> samples = {"69_091.005", "69_311.002", "69_131.002", "69_301.009"};
    // The samples' folder is the volume: copied, so that a side-car file
    // left by a read would show.
    std::filesystem::create_directory(scratch / "volume");
    for (const std::string& name : samples)
        std::filesystem::copy_file(std::string(ORBALUX_SAMPLE_DIR) + "/" + name, scratch / ("volume/" + name));

    for (const std::string& name : samples) {
        SCOPED_TRACE(name);
        const std::string input = scratch / ("volume/" + name);
        const Picture converted = ConverterPicture(scratch, input, {"--stretch"});
        for (const std::string format : {"GTiff", "FITS"}) {
            SCOPED_TRACE(format);
            const std::string output = scratch / (name + "." + format);
            ASSERT_EQ(RunWithPlugin("gdal_translate -q -oo STRETCH=YES -of " + format + " " + Quoted(input) + " " +
                                        Quoted(output),
                                    scratch / "log"),
                      0)
                << ReadText(scratch / "log");
            const char* const reader[] = {format.c_str(), nullptr};
            GDALDatasetH dataset = GDALOpenEx(output.c_str(), GDAL_OF_RASTER, reader, nullptr, nullptr);
            ASSERT_NE(dataset, nullptr);
            EXPECT_TRUE(ReadBand(dataset) == converted);
            GDALClose(dataset);
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch / "volume"), {}),
              static_cast<std::ptrdiff_t>(samples.size()));
}

TEST(PluginTest, FitsCopyWithNoDataKeepsTheLostLinesWithoutAnError) {
    ScratchFolder scratch;
    const std::string name = NameWithFormat(136);
    enc::PictureFilePlan plan = PlanFor(name);
    plan.defects = {{.line = 100, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
    WritePlan(scratch / name, plan);
    const std::string output = scratch / "copy.fits";
    ASSERT_EQ(
        RunWithPlugin("gdal_translate -q -oo NODATA=-32768 -of FITS " + Quoted(scratch / name) + " " + Quoted(output),
                      scratch / "log"),
        0);
    EXPECT_EQ(ReadText(scratch / "log"), "");  // no mask left behind with an error
    const char* const reader[] = {"FITS", nullptr};
    GDALDatasetH copy = GDALOpenEx(output.c_str(), GDAL_OF_RASTER, reader, nullptr, nullptr);
    ASSERT_NE(copy, nullptr);
    int hasNoData = FALSE;
    EXPECT_EQ(GDALGetRasterNoDataValue(GDALGetRasterBand(copy, 1), &hasNoData), -32768);
    EXPECT_TRUE(hasNoData);
    const int width = GDALGetRasterXSize(copy), height = GDALGetRasterYSize(copy);
    std::vector<std::int16_t> values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    ASSERT_EQ(GDALRasterIO(GDALGetRasterBand(copy, 1), GF_Read, 0, 0, width, height, values.data(), width, height,
                           GDT_Int16, 0, 0),
              CE_None);
    GDALClose(copy);
    // Data: the received lines' samples; the grey field and the lost row are not.
    EXPECT_EQ(std::count_if(values.begin(), values.end(), [](std::int16_t v) { return v != -32768; }),
              static_cast<std::ptrdiff_t>(plan.picture.height - 1) * plan.picture.width);
}

}  // namespace
}  // namespace gdal_test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // In process only GDAL's own drivers, to read back what gdal_translate wrote.
    CPLSetConfigOption("GDAL_DRIVER_PATH", "disable");
    GDALAllRegister();
    return RUN_ALL_TESTS();
}
