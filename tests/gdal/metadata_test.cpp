// The metadata: the catalogue's parameters of the file's name, the lines lost
// in transmission, how much of the frame the file holds, and the header lines
// without their trailing blanks, blank ones left out.
#include <gtest/gtest.h>

#include <map>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

std::map<std::string, std::string> Metadata(const std::string& path) {
    GDALDatasetH dataset = OpenMariner(path);
    if (dataset == nullptr) {
        ADD_FAILURE() << "MARINER67 did not open " << path;
        return {};
    }
    std::map<std::string, std::string> items;
    for (CSLConstList item = GDALGetMetadata(dataset, nullptr); item && *item; ++item) {
        const std::string text = *item;
        const auto eq = text.find('=');
        items[text.substr(0, eq)] = text.substr(eq + 1);
    }
    GDALClose(dataset);
    return items;
}

TEST(MetadataTest, CatalogueParametersAndLostLines) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";
    const orbalux::CatalogueParameters facts = orbalux::LookUpCatalogue(name);
    ASSERT_GT(facts.frameLineCount, 0);  // a 999-sample file with its own line count
    enc::PictureFilePlan plan = PlanFor(name);
    // 1 line lost before record 100 and 3 before record 500.
    plan.defects = {{.line = 100, .droppedBefore = 1}, {.line = 500, .droppedBefore = 3}};
    WritePlan(scratch / name, plan);

    const auto items = Metadata(scratch / name);
    EXPECT_EQ(items.at("LINE_FORMAT"), "999");
    EXPECT_EQ(items.at("DATA_OFFSET"), std::to_string(facts.dataOffset));
    EXPECT_EQ(items.at("STRETCH_GAIN"), std::to_string(facts.stretchGain));
    EXPECT_EQ(items.at("STRETCH_BLACK"), std::to_string(facts.stretchBlack));
    EXPECT_EQ(items.at("FRAME_LINE_COUNT"), std::to_string(facts.frameLineCount));
    EXPECT_EQ(items.at("LOST_LINES"), "4");
    // Every record of the frame is in the file.
    EXPECT_EQ(items.at("LINES_IN_FILE"), std::to_string(plan.picture.height));
    EXPECT_EQ(items.at("CUT_SHORT"), "NO");
    EXPECT_EQ(items.at("IN_CATALOGUE"), "YES");
}

TEST(MetadataTest, ACutFileSaysHowManyLinesItLacksAndAnUnlistedNameSaysSo) {
    ScratchFolder scratch;
    const std::string listed = NameWithFormat(945);  // 702 lines of 1262-byte records
    enc::PictureFilePlan plan = PlanFor(listed);
    plan.truncateAt = static_cast<std::size_t>(plan.dataOffset) + 40 * 1262;  // 40 whole line records
    WritePlan(scratch / listed, plan);
    const auto cut = Metadata(scratch / listed);
    EXPECT_EQ(cut.at("LINES_IN_FILE"), "40");
    EXPECT_EQ(cut.at("CUT_SHORT"), "YES, 662 lines missing");

    const std::string unlisted = "69_999.999";
    ASSERT_FALSE(orbalux::LookUpCatalogue(unlisted).listed);
    WritePlan(scratch / unlisted, PlanFor(unlisted));
    const auto whole = Metadata(scratch / unlisted);
    EXPECT_EQ(whole.at("IN_CATALOGUE"), "NO");
    EXPECT_EQ(whole.at("CUT_SHORT"), "NO");
}

TEST(MetadataTest, HeaderLinesOfTwoRecordsWithoutTrailingBlanks) {
    ScratchFolder scratch;
    const std::string name = "69_011.002";
    ASSERT_EQ(orbalux::LookUpCatalogue(name).dataOffset, 964);  // two header records
    enc::PictureFilePlan plan = PlanFor(name);
    plan.header.text1 = enc::HeaderLines({"MARINER 6  PICTURE 6F02", "", "", "", "VOLUME 69-011 FILE 002   "});
    std::string last(71, ' ');
    last += 'L';
    plan.header.text2 = enc::HeaderLines({"PROCESSING: RECONSTRUCTED", "LINES LOST 0" + last.substr(12)});
    WritePlan(scratch / name, plan);

    const auto items = Metadata(scratch / name);
    const std::map<std::string, std::string> expected = {
        {"HEADER_1", "MARINER 6  PICTURE 6F02"},
        {"HEADER_5", "VOLUME 69-011 FILE 002"},
        {"HEADER_6", "PROCESSING: RECONSTRUCTED"},
        {"HEADER_7", "LINES LOST 0" + std::string(59, ' ') + "L"},
    };
    std::map<std::string, std::string> header;
    for (const auto& [key, value] : items)
        if (key.rfind("HEADER_", 0) == 0) header[key] = value;
    EXPECT_EQ(header, expected);
}

TEST(MetadataTest, AFileWithoutHeaderSaysNoHeader) {
    ScratchFolder scratch;
    const std::string name = "69_191.001";
    ASSERT_LT(orbalux::LookUpCatalogue(name).dataOffset, 482);  // the data start in front of any header
    WritePlan(scratch / name, PlanFor(name));

    const auto items = Metadata(scratch / name);
    EXPECT_EQ(items.at("HEADER_1"), "No Header");
    for (int i = 2; i <= 10; ++i) EXPECT_EQ(items.count("HEADER_" + std::to_string(i)), 0u) << i;
}

}  // namespace
}  // namespace gdal_test
