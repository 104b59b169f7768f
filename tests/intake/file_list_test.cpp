#include "intake/file_list.h"
#include "state/orbalux_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/scratch/scratch_folder.h"

namespace fs = std::filesystem;
using orbalux::FindListPosition;
using orbalux::ListPictureFiles;

namespace {

// A scratch folder that can make a one-byte file by name.
class ScratchFolder : public orbalux::test::ScratchFolder {
public:
    void Touch(const std::string& name) const { std::ofstream(path() / name) << "x"; }
};

}  // namespace

TEST(ListPictureFiles, KeepsPrefixesInAnyCaseSortedByByteValue) {
    ScratchFolder dir;
    // Created out of order so the file system's order cannot pass for sorted.
    for (const char* name :
         {"rbl_001.002", "jac_224.004", "69_311.002", "eD_100.001", "JAC_224.001", "69_011.001", "Rbl_003.001",
          "ED_050.001", "README", "x69_011.001", "RB_001.001", "69-011.001", "69_.001"})
        dir.Touch(name);

    const std::vector<std::string> expected = {"69_.001",     "69_011.001", "69_311.002",  "ED_050.001", "JAC_224.001",
                                               "Rbl_003.001", "eD_100.001", "jac_224.004", "rbl_001.002"};
    EXPECT_EQ(ListPictureFiles(dir.path().string()), expected);
    // A trailing separator names the same directory.
    EXPECT_EQ(ListPictureFiles(dir.path().string() + "/"), expected);
}

TEST(ListPictureFiles, LeavesOutFilesMadeFromThePictures) {
    // A folder converted in place, GDAL's side files and labels beside the
    // pictures: a second run must not read them back as pictures.
    ScratchFolder dir;
    for (const char* name : {"69_011.001", "69_011.001.png", "69_011.001.BMP", "69_311.002", "69_311.002.aux.xml",
                             "69_311.002.cub.xml", "69_311.002.xml", "69_311.002.img", "RBL_001.001.Png"})
        dir.Touch(name);
    EXPECT_EQ(ListPictureFiles(dir.path().string()), (std::vector<std::string>{"69_011.001", "69_311.002"}));
}

TEST(ListPictureFiles, ListsRegularFilesAndLinksToThemOnly) {
    ScratchFolder dir;
    dir.Touch("69_011.001");
    fs::create_directory(dir.path() / "69_DIR.001");
    fs::create_symlink(dir.path() / "69_011.001", dir.path() / "69_011.002");
    fs::create_symlink(dir.path() / "missing", dir.path() / "69_011.003");
    fs::create_directory_symlink(dir.path() / "69_DIR.001", dir.path() / "69_011.004");

    EXPECT_EQ(ListPictureFiles(dir.path().string()), (std::vector<std::string>{"69_011.001", "69_011.002"}));
}

TEST(ListPictureFiles, AFolderThatCannotBeListedIsAnErrorNamingIt) {
    // Neither a missing folder, nor a dangling link, nor a file can be
    // listed; none passes for an empty folder.
    ScratchFolder dir;
    dir.Touch("69_011.001");
    fs::create_symlink(dir.path() / "gone", dir.path() / "link");
    for (const fs::path& folder : {dir.path() / "absent", dir.path() / "link", dir.path() / "69_011.001"}) {
        try {
            ListPictureFiles(folder.string());
            ADD_FAILURE() << folder << " was listed";
        } catch (const orbalux::OrbaluxError& e) {
            EXPECT_EQ(e.kind(), orbalux::ErrorKind::Unlistable);
            EXPECT_EQ(e.file(), folder.string());
        }
    }
}

TEST(ListPictureFiles, KeepsLongNamesWholeAndHasNoCountLimit) {
    ScratchFolder dir;
    for (int i = 0; i < 1005; ++i) dir.Touch("69_" + std::to_string(100000 + i) + ".001");
    dir.Touch("JAC_224_long_group_name.004");
    const auto list = ListPictureFiles(dir.path().string());
    ASSERT_EQ(list.size(), 1006u);
    EXPECT_EQ(list.front(), "69_100000.001");
    EXPECT_EQ(list[1004], "69_101004.001");
    EXPECT_EQ(list.back(), "JAC_224_long_group_name.004");
}

TEST(FindListPosition, MatchesExactlyOrIgnoringLetterCaseLastMatchWins) {
    const std::vector<std::string> list = {"69_011.001", "69_311.002", "JAC_224.004", "Jac_224.004", "ed_100.001"};
    EXPECT_EQ(FindListPosition(list, "69_011.001"), 1);
    EXPECT_EQ(FindListPosition(list, "69_311.002"), 2);
    // Both spellings of the JAC name match the typed one; the later slot wins.
    EXPECT_EQ(FindListPosition(list, "jac_224.004"), 4);
    EXPECT_EQ(FindListPosition(list, "JAC_224.004"), 4);
    EXPECT_EQ(FindListPosition(list, "ED_100.001"), 5);
    EXPECT_EQ(FindListPosition(list, "69_011.00"), 0);
    EXPECT_EQ(FindListPosition(list, "69_011.0011"), 0);
    EXPECT_EQ(FindListPosition({}, "69_011.001"), 0);
}

TEST(FindListPosition, FoldsOnlyAsciiLetters) {
    // Only a to z fold: DEL shifted like a letter would become '_'.
    // "\x7f" "1" is DEL then a digit, not one escape.
    // clang-format off
    EXPECT_EQ(FindListPosition({"ED_1"}, "ed\x7f" "1"), 0);
    EXPECT_EQ(FindListPosition({"ED_1", "ED\x7f" "1"}, "ed\x7f" "1"), 2);
    // clang-format on
}
