// The planetary formats' labels written by GDAL from a picture file: ISIS3,
// VICAR and PDS4 keep a header line, the lost-line count and the source file;
// PDS4 leaves no field of the package's template unfilled, names each product
// by its own identifier and says which way its rows are shown.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include <cpl_minixml.h>

#include <cpl_error.h>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    // The label ends where the first NUL pads it (ISIS3, VICAR).
    return text.substr(0, text.find('\0'));
}

std::vector<std::string> warnings;
void CollectWarnings(CPLErr level, CPLErrorNum, const char* message) {
    if (level == CE_Warning) warnings.emplace_back(message);
}

TEST(LabelsTest, IsisVicarAndPds4CarryTheFilesFacts) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";
    enc::PictureFilePlan plan = PlanFor(name);
    plan.header.text1 = enc::HeaderLines({"MARINER 7  PICTURE 7N17", "", "RANGE 5300 KM"});
    plan.defects = {{.line = 100, .droppedBefore = 1}, {.line = 500, .droppedBefore = 3}};
    WritePlan(scratch / name, plan);

    GDALDatasetH source = OpenMariner(scratch / name);
    ASSERT_NE(source, nullptr);
    struct Format {
        const char* driver;
        const char* file;    // written
        const char* label;   // read back: the label's file
        std::vector<std::string> expected;
    };
    for (const Format& f :
         {Format{"ISIS3",
                 "out.cub",
                 "out.cub",
                 {"Group = Mariner67", "LostLines", "= 4", "SourceFile", name, "\"MARINER 7  PICTURE 7N17\"",
                  "RANGE 5300 KM"}},
          Format{"VICAR",
                 "out.vic",
                 "out.vic",
                 {"PROPERTY='MARINER67'", "LOST_LINES=4", "SOURCE_FILE='" + name + "'",
                  "HEADER_1='MARINER 7  PICTURE 7N17'", "HEADER_3='RANGE 5300 KM'"}},
          Format{"PDS4",
                 "out.xml",
                 "out.xml",
                 {"4 lines lost in transmission", "Decoded from " + name,
                  "1: MARINER 7  PICTURE 7N17 | 3: RANGE 5300 KM", "<name>Mars</name>", "cut short: NO"}}}) {
        SCOPED_TRACE(f.driver);
        warnings.clear();
        CPLPushErrorHandler(CollectWarnings);
        GDALDatasetH copy = GDALCreateCopy(GDALGetDriverByName(f.driver), (scratch / f.file).c_str(), source, FALSE,
                                           nullptr, nullptr, nullptr);
        CPLPopErrorHandler();
        ASSERT_NE(copy, nullptr) << CPLGetLastErrorMsg();
        GDALClose(copy);
        const std::string label = ReadText(scratch / f.label);
        for (const std::string& text : f.expected) EXPECT_NE(label.find(text), std::string::npos) << text << "\n" << label;
        // Nothing left for the user to fill.
        EXPECT_EQ(label.find("${"), std::string::npos);
        for (const std::string& warning : warnings)
            EXPECT_EQ(warning.find("could not be substituted"), std::string::npos) << warning;
    }
    GDALClose(source);
}

TEST(LabelsTest, Pds4ProductsOfOtherOptionSetsHaveTheirOwnIdentifierAndDirection) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";
    WritePlan(scratch / name, PlanFor(name));
    struct Product {
        std::vector<std::string> options;
        std::string direction;
    };
    std::set<std::string> identifiers;
    for (const Product& p : {Product{{}, "Top to Bottom"}, Product{{"FRAME=YES"}, "Bottom to Top"},
                             Product{{"STRETCH=YES"}, "Top to Bottom"}, Product{{"BRIGHTNESS=2"}, "Top to Bottom"},
                             Product{{"BRIGHTNESS=-2"}, "Top to Bottom"}}) {
        SCOPED_TRACE(::testing::PrintToString(p.options));
        GDALDatasetH source = OpenMariner(scratch / name, p.options);
        ASSERT_NE(source, nullptr);
        const std::string output = scratch / "product.xml";
        GDALDatasetH copy =
            GDALCreateCopy(GDALGetDriverByName("PDS4"), output.c_str(), source, FALSE, nullptr, nullptr, nullptr);
        ASSERT_NE(copy, nullptr);
        GDALClose(copy);
        GDALClose(source);
        CPLXMLNode* label = CPLParseXMLFile(output.c_str());  // well formed
        ASSERT_NE(label, nullptr);
        const CPLXMLNode* product = CPLSearchXMLNode(label, "=Product_Observational");
        ASSERT_NE(product, nullptr);
        const std::string lid = CPLGetXMLValue(product, "Identification_Area.logical_identifier", "");
        EXPECT_STREQ(CPLGetXMLValue(product,
                                    "Observation_Area.Discipline_Area.disp:Display_Settings.disp:Display_Direction."
                                    "disp:vertical_display_direction",
                                    ""),
                     p.direction.c_str());
        CPLDestroyXMLNode(label);
        EXPECT_EQ(lid.rfind("urn:nasa:pds:mariner69_tv:data:69_311.002", 0), 0u) << lid;
        EXPECT_EQ(lid.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-._:"), std::string::npos) << lid;
        EXPECT_TRUE(identifiers.insert(lid).second) << lid;
        // Only the namespaces whose schemas the label names.
        EXPECT_EQ(ReadText(output).find("m67:"), std::string::npos);
        GDALDeleteDataset(GDALGetDriverByName("PDS4"), output.c_str());
    }
}

}  // namespace
}  // namespace gdal_test
