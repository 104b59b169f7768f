// The facts of a load that every front end reports from, for a picture the
// encoder writes with header text and cut short.
#include "load/picture_facts.h"

#include <gtest/gtest.h>

#include "load/load_sequence.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux {
namespace {

TEST(PictureFacts, HeaderLinesKeepTheirIndentAndLoseTheirPaddingBesideTheCutAndTheWarnings) {
    const test::ScratchFolder scratch;
    // A 945-sample frame of 702 lines behind two header records, cut after
    // 300 whole line records (each 2 + 4 * 315 bytes).
    const encoder::HeaderPlan header{.records = 2, .text1 = encoder::HeaderLines({"MARINER 7", "   INDENTED 3"})};
    std::vector<std::uint8_t> bytes = encoder::EncodePicture(945, GreyImage(945, 702, 90), header);
    bytes.resize(2 * 482 + 300 * (2 + 4 * 315));
    encoder::WriteFile(scratch.path() / "69_091.004", bytes);

    PictureState state;
    LoadPicture(state, (scratch.path() / "69_091.004").string());
    const PictureFacts facts = FactsOf(state);
    EXPECT_EQ(facts.header[0], "MARINER 7");
    EXPECT_EQ(facts.header[1], "   INDENTED 3");  // indent is text, padding is not
    EXPECT_EQ(facts.header[2], "");
    EXPECT_EQ(facts.linesInFile, 300);
    EXPECT_EQ(facts.linesShort, 702 - 300);
    EXPECT_TRUE(facts.truncated);
    ASSERT_EQ(facts.warnings.size(), 1u);
    EXPECT_EQ(facts.warnings[0], "ends 402 lines short of the frame");
}

}  // namespace
}  // namespace orbalux
