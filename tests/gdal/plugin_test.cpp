// The built plugin in GDAL's own programs: gdalinfo lists it, and
// gdal_translate turns the sample pictures into GeoTIFF and FITS whose pixels
// are the converter's, leaving nothing beside the picture files.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace gdal_test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // In process only GDAL's own drivers, to read back what gdal_translate wrote.
    CPLSetConfigOption("GDAL_DRIVER_PATH", "disable");
    GDALAllRegister();
    return RUN_ALL_TESTS();
}
