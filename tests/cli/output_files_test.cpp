// Output files: written whole or not at all, and PNG pixels as given.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <stdexcept>

#include "output/atomic_file.h"
#include "output/png_writer.h"
#include "cli_test_support.h"

using namespace cli_test;
using orbalux::WriteFileAtomically;

TEST(AtomicOutput, AFailureLeavesTheOldFileAndNoTraceACommitReplacesIt) {
    ScratchDir dir;
    const std::string path = dir / "69_011.001.png";
    std::ofstream(path) << "old";
    auto failing = [](std::FILE* f) {
        std::fputs("half a picture", f);
        throw std::runtime_error("disk gone");
    };
    EXPECT_THROW(WriteFileAtomically(path, failing), std::runtime_error);
    EXPECT_THROW(WriteFileAtomically(dir / "new.png", failing), std::runtime_error);
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"69_011.001.png"}));

    WriteFileAtomically(path, [](std::FILE* f) { std::fputs("new picture", f); });
    EXPECT_EQ(ReadText(path), "new picture");
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"69_011.001.png"}));
    // Readable as any new file would be, not private like a temporary one.
    const mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(PngWriter, EveryLevelKeepsEveryPixel) {
    ScratchDir dir;
    orbalux::GreyImage image;
    image.width = 37;  // odd sizes: no row padding may creep in
    image.height = 23;
    for (int i = 0; i < image.width * image.height; ++i) image.pixels.push_back(static_cast<std::uint8_t>(i * 7919 % 256));
    for (int level = 0; level <= 9; ++level) {
        const std::string path = dir / ("l" + std::to_string(level) + ".png");
        WriteFileAtomically(path, [&](std::FILE* f) { orbalux::WriteGreyPng(f, image, level); });
        const auto back = ReadGreyPng(path);
        EXPECT_EQ(back.width, image.width) << level;
        EXPECT_EQ(back.height, image.height) << level;
        EXPECT_EQ(back.pixels, image.pixels) << level;
    }
}
