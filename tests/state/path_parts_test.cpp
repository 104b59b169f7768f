// A path's folder and file name: the split at the last slash, and that the two
// parts always join back into the path.
#include "state/path_parts.h"

#include <gtest/gtest.h>

#include <string>

namespace orbalux {
namespace {

TEST(PathParts, SplitAtTheLastSlashAndJoinBack) {
    EXPECT_EQ(FileNameOf("v/69_311/69_311.002"), "69_311.002");
    EXPECT_EQ(FolderPartOf("v/69_311/69_311.002"), "v/69_311/");
    EXPECT_EQ(FileNameOf("69_011.001"), "69_011.001");
    EXPECT_EQ(FolderPartOf("69_011.001"), "");
    EXPECT_EQ(FileNameOf("/69_011.001"), "69_011.001");
    EXPECT_EQ(FolderPartOf("/69_011.001"), "/");
    EXPECT_EQ(FileNameOf("out.png/"), "");  // a folder, not a PNG file
    // A backslash is a byte of the name, not a separator.
    EXPECT_EQ(FileNameOf("a\\b/c\\d"), "c\\d");
    for (const std::string path : {"a/b/c", "c", "/c", "a/", "", "//x"})
        EXPECT_EQ(std::string(FolderPartOf(path)) + std::string(FileNameOf(path)), path);
}

}  // namespace
}  // namespace orbalux
