// Output files: written whole or not at all, and PNG pixels as given.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <stdexcept>

#include "cli/atomic_output.h"
#include "cli/png_writer.h"
#include "cli_test_support.h"

using namespace cli_test;
using orbalux::cli::WriteFileAtomically;

namespace {

std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(AtomicOutput, AWriteThatFailsPartWayLeavesTheOldFileAndNoTrace) {
    ScratchDir dir;
    const std::string path = dir / "69_011.001.png";
    std::ofstream(path) << "old";
    EXPECT_THROW(WriteFileAtomically(path,
                                     [](std::FILE* f) {
                                         std::fputs("half a picture", f);
                                         throw std::runtime_error("disk gone");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"69_011.001.png"}));

    // And a failure before anything exists leaves nothing.
    EXPECT_THROW(WriteFileAtomically(dir / "new.png", [](std::FILE*) { throw std::runtime_error("no"); }),
                 std::runtime_error);
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"69_011.001.png"}));
}

TEST(AtomicOutput, ACommittedWriteReplacesTheFileWithOrdinaryPermissions) {
    ScratchDir dir;
    const std::string path = dir / "out.bmp";
    std::ofstream(path) << "old";
    WriteFileAtomically(path, [](std::FILE* f) { std::fputs("new picture", f); });
    EXPECT_EQ(ReadText(path), "new picture");
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"out.bmp"}));

    const mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(AtomicOutput, AMissingFolderIsAnErrorNamingTheFile) {
    ScratchDir dir;
    try {
        WriteFileAtomically(dir / "absent/out.png", [](std::FILE*) {});
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("absent/out.png: No such file or directory"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{});
}

TEST(PngWriter, EveryLevelKeepsEveryPixel) {
    ScratchDir dir;
    orbalux::cli::GreyImage image;
    image.width = 37;  // odd sizes: no row padding may creep in
    image.height = 23;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(static_cast<std::uint8_t>((x * 31 + y * 17 + (x * y) % 7) % 256));
    for (int level = 0; level <= 9; ++level) {
        const std::string path = dir / ("l" + std::to_string(level) + ".png");
        WriteFileAtomically(path, [&](std::FILE* f) { orbalux::cli::WriteGreyPng(f, image, level); });
        const auto back = ReadGreyPng(path);
        EXPECT_EQ(back.width, image.width) << level;
        EXPECT_EQ(back.height, image.height) << level;
        EXPECT_EQ(back.pixels, image.pixels) << level;
    }
    orbalux::cli::GreyImage empty;
    EXPECT_THROW(WriteFileAtomically(dir / "empty.png", [&](std::FILE* f) { orbalux::cli::WriteGreyPng(f, empty, 1); }),
                 std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
}
