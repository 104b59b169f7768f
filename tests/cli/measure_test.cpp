// --info --stats and --profile of the built converter: the rectangle and the
// line as given, under the display options, and coordinates that leave the
// picture refused as wrong usage naming its size.
#include <gtest/gtest.h>

#include <string>

#include "cli_test_support.h"
#include "tools/encoder/picture_encoder.h"

using namespace cli_test;

namespace {

namespace enc = orbalux::encoder;

class MeasureTest : public ::testing::Test {
protected:
    ScratchFolder scratch_;
    std::string path_ = scratch_ / "XX_100.001";
    orbalux::GreyImage picture_ = KnownPicture945();

    // The line before picture row 99 lost: its record is not in the file.
    void SetUp() override {
        const std::vector<enc::LineDefect> lost = {
            {.line = 100, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
        enc::WriteFile(path_, enc::EncodePicture(945, picture_, {.records = 2}, lost));
    }
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(MeasureTest, StatsAndProfileMeasureTheShownPicture) {
    // Flipped, frame row r shows at row r: rows 95..104 over columns 0..9
    // hold nine received lines and the lost one.
    const RunResult stats = RunConvert(scratch_, {"--info", "--json", "--flip", "--stats=0,95,10,10", path_});
    ASSERT_EQ(stats.exitCode, 0) << stats.err;
    EXPECT_TRUE(Contains(stats.out,
                         "\"stats\":{\"region\":[0,95,10,10],\"dataPixels\":90,\"leftOut\":{\"total\":10,"
                         "\"lostLine\":10,"))
        << stats.out;
    // Levels (x + 2y) mod 256 over x 0..9 and rows 95..104 but 99.
    EXPECT_TRUE(Contains(stats.out, "\"min\":190,\"max\":217,")) << stats.out;
    EXPECT_TRUE(Contains(stats.out, "\"decoded\":{\"min\":190,")) << stats.out;

    const RunResult text = RunConvert(scratch_, {"--info", "--stats", path_});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_TRUE(Contains(text.out, "Statistics:\n  Region: 0,0,948,704\n  Data pixels: " + std::to_string(945 * 701)))
        << text.out;

    const RunResult profile = RunConvert(scratch_, {"--profile", "3,97,3,100", "--flip", path_});
    ASSERT_EQ(profile.exitCode, 0) << profile.err;
    EXPECT_EQ(profile.out,
              "index,column,row,line,sample,level,kind\n"
              "0,3,97,98,4,197,data\n"
              "1,3,98,99,4,199,data\n"
              "2,3,99,100,4,,lost line\n"
              "3,3,100,101,4,203,data\n");
}

TEST_F(MeasureTest, CoordinatesOutsideThePictureOrMalformedAreWrongUsage) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--profile", "0,0,948,10", path_}, "leaves the picture (948 x 704"},
        {{"--info", "--stats=900,700,48,5", path_}, "does not lie inside the picture (948 x 704)"},
        {{"--info", "--stats=1,2,x,4", path_}, "'1,2,x,4' is not X,Y,W,H"},
        {{"--profile", "1,2,3", path_}, "'1,2,3' is not X0,Y0,X1,Y1"},
        {{"--profile", "1,2,3,4", path_, path_}, "one INPUT"},
        {{"--info", "--flip", path_}, "--flip does nothing with --info"},
    };
    for (const Case& c : cases) {
        const RunResult run = RunConvert(scratch_, c.args);
        EXPECT_EQ(run.exitCode, 2) << c.says;
        EXPECT_TRUE(Contains(run.err, c.says)) << run.err;
    }

    // Of several pictures, one too small for the rectangle is refused as
    // such and the larger one after it is still measured.
    const std::string large = scratch_ / "69_041.002";
    enc::WriteFile(large, enc::EncodePicture(999, orbalux::GreyImage(999, 1200), {.records = 2}));
    const RunResult both = RunConvert(scratch_, {"--info", "--json", "--stats=900,700,48,5", path_, large});
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_TRUE(Contains(both.err, "does not lie inside the picture (948 x 704)")) << both.err;
    EXPECT_TRUE(Contains(both.out, "\"error\":")) << both.out;
    EXPECT_TRUE(Contains(both.out, "\"stats\":{\"region\":[900,700,48,5]")) << both.out;
}

}  // namespace
