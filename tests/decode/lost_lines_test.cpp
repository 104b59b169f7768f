// The count of lines lost in transmission as a whole load leaves it: read
// from the file, decoded, and carried through the chain to whoever shows it.
#include <gtest/gtest.h>

#include <filesystem>

#include "intake/load_sequence.h"
#include "tests/decode/decode_test_support.h"

namespace orbalux {
namespace {

using namespace testing_support;

class LostLineLoad : public ::testing::Test {
protected:
    std::filesystem::path dir_ = std::filesystem::temp_directory_path() /
                                 ("orbalux-lost-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(dir_); }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, std::vector<enc::LineDefect> defects) {
        const auto path = (dir_ / name).string();
        enc::WriteFile(path, enc::BuildPictureFile({.picture = KnownPicture(945, 702, 3), .defects = std::move(defects)})
                                 .bytes);
        return path;
    }
    int Load(PictureState& state, const std::string& path) {
        WorkingBuffers guard(state);
        LoadPicture(state, path);
        return state.LostLineCount;
    }
};

TEST_F(LostLineLoad, EveryLostLineCountsWhetherFilledInOrClosedUp) {
    // 1 + 3 + 50 late lines, and a gap marker that says one more was lost.
    const std::string damaged = Write("RBL_0001.001", {{.line = 5, .droppedBefore = 1},
                                                     {.line = 40, .droppedBefore = 3},
                                                     {.line = 300, .droppedBefore = 50},
                                                     {.line = 600, .marker = enc::MarkerKind::Gap1}});
    const std::string clean = Write("RBL_0002.001", {});
    PictureState state;
    // The missing-line fill repairs rows on screen; it does not change how
    // many lines the file lacks.
    state.MenuOptions.FillMissingLine = 1;
    for (int compress : {1, 0}) {
        SCOPED_TRACE(compress);
        state.CompressMissingLines = compress;
        EXPECT_EQ(Load(state, damaged), 1 + 3 + 50 + 1);
        EXPECT_EQ(Load(state, clean), 0);
    }
    // The re-runs of the option commands keep the count of the load.
    Load(state, damaged);
    {
        WorkingBuffers guard(state);
        ReprocessPicture(state, [](PictureState& s) { s.ActiveOptions.Invert = 1; });
    }
    EXPECT_EQ(state.LostLineCount, 55);
}

}  // namespace
}  // namespace orbalux
