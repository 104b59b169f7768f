// The two warnings of a load, for pictures the encoder writes: a file cut in
// the middle of a line and a name that no catalogue row lists.
#include "load/load_warnings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "load/load_sequence.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux {
namespace {

namespace fs = std::filesystem;

TEST(LoadWarnings, CutFileSaysHowManyLinesItLacksAndUnlistedNameTheDefaults) {
    const test::ScratchFolder scratch;
    const fs::path& dir = scratch.path();
    // A 945-sample frame of 702 lines, each record 2 + 4 * 315 bytes after
    // the two 482-byte header records; the file stops inside line 101.
    GreyImage picture(945, 702, 77);
    const std::vector<std::uint8_t> whole = encoder::EncodePicture(945, picture, {.records = 2});
    std::vector<std::uint8_t> bytes = whole;
    bytes.resize(964 + 100 * (2 + 4 * 315) + 600);

    PictureState state;
    encoder::WriteFile(dir / "XX_001.001", bytes);  // no row names it
    LoadPicture(state, (dir / "XX_001.001").string());
    EXPECT_EQ(TruncationWarning(state), "ends 602 lines short of the frame");  // 702 - 100
    EXPECT_EQ(CatalogueWarning(state), "not in the catalogue: default parameters used");

    // The catalogue entry of another name, for a renamed copy: listed.
    LoadPicture(state, (dir / "XX_001.001").string(), "69_091.004");
    EXPECT_EQ(state.CatalogueName, "69_091.004");
    EXPECT_EQ(state.CurrentFileName, "XX_001.001");
    EXPECT_EQ(CatalogueWarning(state), std::nullopt);

    encoder::WriteFile(dir / "69_091.004", whole);
    LoadPicture(state, (dir / "69_091.004").string());
    EXPECT_EQ(LoadWarnings(state), std::vector<std::string>{});
}

}  // namespace
}  // namespace orbalux
