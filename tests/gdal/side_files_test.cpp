// Side files per option set: statistics and overviews computed for one set of
// open options are never served under another, and a plain open keeps its own.
#include <gtest/gtest.h>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

// The mean of the band's data pixels (where its mask is not 0).
double DataMean(GDALDatasetH dataset) {
    const Picture picture = ReadBand(dataset);
    std::vector<std::uint8_t> mask(picture.pixels.size());
    EXPECT_EQ(GDALRasterIO(GDALGetMaskBand(GDALGetRasterBand(dataset, 1)), GF_Read, 0, 0, picture.width,
                           picture.height, mask.data(), picture.width, picture.height, GDT_Byte, 0, 0),
              CE_None);
    double sum = 0, count = 0;
    for (std::size_t i = 0; i < mask.size(); ++i)
        if (mask[i] != 0) sum += picture.pixels[i], count += 1;
    return sum / count;
}

// The band's mean as GDAL's statistics give it: from the side file when one
// holds them, else computed and stored there.
double StatisticsMean(const std::string& path, const std::vector<std::string>& openOptions) {
    GDALDatasetH dataset = OpenMariner(path, openOptions);
    if (dataset == nullptr) {
        ADD_FAILURE() << path;
        return -1;
    }
    double min = 0, max = 0, mean = -1, stddev = 0;
    EXPECT_EQ(GDALGetRasterStatistics(GDALGetRasterBand(dataset, 1), FALSE, TRUE, &min, &max, &mean, &stddev),
              CE_None);
    GDALClose(dataset);
    return mean;
}

double TrueMean(const std::string& path, const std::vector<std::string>& openOptions) {
    GDALDatasetH dataset = OpenMariner(path, openOptions);
    const double mean = DataMean(dataset);
    GDALClose(dataset);
    return mean;
}

TEST(SideFilesTest, StatisticsAndOverviewsStayWithTheirOptionSet) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";  // a stretch of its own in the catalogue
    const std::string path = scratch / name;
    WritePlan(path, PlanFor(name));

    const double plain = StatisticsMean(path, {});
    ASSERT_TRUE(std::filesystem::exists(path + ".aux.xml"));
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"STRETCH=YES"}, {"INVERT=YES"}, {"INVERT=1"}, {"STRETCH=YES", "INVERT=YES"},
          {"PERCENT_STRETCH=20,80"}, {"PERCENT_STRETCH=2,98"}, {"EQUALIZE=YES"}}) {
        SCOPED_TRACE(::testing::PrintToString(options));
        const double truth = TrueMean(path, options);
        ASSERT_GT(std::abs(truth - plain), 1.0);  // the option changes the picture
        EXPECT_NEAR(StatisticsMean(path, options), truth, 1e-6);
    }
    // The plain open still finds its own.
    EXPECT_NEAR(StatisticsMean(path, {}), plain, 1e-6);
    EXPECT_NEAR(plain, TrueMean(path, {}), 1e-6);

    // Overviews built read-only for the plain open are not an inverted open's.
    GDALDatasetH dataset = OpenMariner(path);
    const int level = 2;
    ASSERT_EQ(GDALBuildOverviews(dataset, "AVERAGE", 1, &level, 0, nullptr, nullptr, nullptr), CE_None);
    GDALClose(dataset);
    ASSERT_TRUE(std::filesystem::exists(path + ".ovr"));
    dataset = OpenMariner(path, {"INVERT=YES"});
    EXPECT_EQ(GDALGetOverviewCount(GDALGetRasterBand(dataset, 1)), 0);
    GDALClose(dataset);
    dataset = OpenMariner(path);
    EXPECT_EQ(GDALGetOverviewCount(GDALGetRasterBand(dataset, 1)), 1);
    GDALClose(dataset);
}

}  // namespace
}  // namespace gdal_test
