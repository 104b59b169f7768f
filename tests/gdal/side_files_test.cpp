// Side files per option set: statistics and overviews computed for one set of
// open options are never served under another, and a plain open keeps its own;
// the file's facts are never kept in them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <map>

#include <cpl_string.h>

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

TEST(SideFilesTest, TheFilesFactsAreReadFromTheFileAtEveryOpen) {
    ScratchFolder scratch;
    const std::string name = NameWithFormat(945);  // 702 lines of 1262-byte records
    const std::string path = scratch / name;
    enc::PictureFilePlan plan = PlanFor(name);
    ASSERT_GE(plan.header.records, 1);
    plan.header.text1 = enc::HeaderLines({"MARINER 7", " TWO"});
    WritePlan(path, plan);
    auto facts = [&](const std::vector<std::string>& options) {
        GDALDatasetH dataset = OpenMariner(path, options);
        std::map<std::string, std::string> items;
        for (const char* item : {"LINES_IN_FILE", "CUT_SHORT", "HEADER_2"})
            items[item] =
                GDALGetMetadataItem(dataset, item, nullptr) ? GDALGetMetadataItem(dataset, item, nullptr) : "";
        const CPLStringList list(CSLDuplicate(GDALGetMetadata(dataset, nullptr)), TRUE);
        EXPECT_STREQ(list.FetchNameValue("LINES_IN_FILE"), items["LINES_IN_FILE"].c_str());
        GDALClose(dataset);
        return items;
    };
    // Statistics computed in two opens make each open write its side file.
    for (const auto& options : {std::vector<std::string>{}, {"INVERT=YES"}})
        for (int open = 0; open < 2; ++open) {
            GDALDatasetH dataset = OpenMariner(path, options);
            double min, max, mean, stddev;
            ASSERT_EQ(GDALComputeRasterStatistics(GDALGetRasterBand(dataset, 1), FALSE, &min, &max, &mean, &stddev,
                                                  nullptr, nullptr),
                      CE_None);
            GDALClose(dataset);
        }
    for (const std::string& side : {path + ".aux.xml", path + ".INVERT.aux.xml"}) {
        std::ifstream in(side);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        EXPECT_NE(text.find("STATISTICS_MEAN"), std::string::npos) << side;
        EXPECT_EQ(text.find("LINES_IN_FILE"), std::string::npos) << text;
        EXPECT_EQ(text.find("HEADER_"), std::string::npos) << text;
    }
    // A side file that an earlier driver wrote with the facts of the whole
    // file: the file, cut since after its 40th record, says what it is now.
    std::ofstream(path + ".aux.xml") << "<PAMDataset><Metadata><MDI key=\"LINES_IN_FILE\">702</MDI>"
                                        "<MDI key=\"CUT_SHORT\">NO</MDI><MDI key=\"HEADER_2\">TWO</MDI>"
                                        "<MDI key=\"HEADER_9\">OLD</MDI><MDI key=\"OWN\">kept</MDI></Metadata>"
                                        "</PAMDataset>";
    plan.truncateAt = static_cast<std::size_t>(plan.dataOffset) + 40 * 1262;
    WritePlan(path, plan);
    const std::map<std::string, std::string> expected = {
        {"LINES_IN_FILE", "40"}, {"CUT_SHORT", "YES, 662 lines missing"}, {"HEADER_2", " TWO"}};
    EXPECT_EQ(facts({}), expected);
    EXPECT_EQ(facts({"INVERT=YES"}), expected);
    GDALDatasetH dataset = OpenMariner(path);
    const CPLStringList items(CSLDuplicate(GDALGetMetadata(dataset, nullptr)), TRUE);
    EXPECT_EQ(items.FetchNameValue("HEADER_9"), nullptr);
    EXPECT_STREQ(items.FetchNameValue("OWN"), "kept");  // a user's own item stays
    GDALClose(dataset);
}

}  // namespace
}  // namespace gdal_test
