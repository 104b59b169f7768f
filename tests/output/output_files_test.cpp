// Output files: written whole or not at all, and PNG pixels as given.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <stdexcept>

#include "output/atomic_file.h"
#include "output/png_best_of.h"
#include "output/png_writer.h"
#include "tools/scratch/scratch_folder.h"
#include "tests/support/test_files.h"

using namespace orbalux::test;
using orbalux::WriteFileAtomically;

TEST(AtomicOutput, AFailureLeavesTheOldFileAndNoTraceACommitReplacesIt) {
    ScratchFolder dir;
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

TEST(PngWriter, TheDefaultLevelKeepsRunsNoiseAndLargePictures) {
    // Long runs across rows and blocks (black and grey fields), noise that no
    // code shrinks (stored blocks), a picture of many blocks, and one pixel.
    ScratchFolder dir;
    std::uint32_t noise = 12345;
    auto random = [&noise] { return static_cast<std::uint8_t>((noise = noise * 1664525u + 1013904223u) >> 24); };
    std::vector<orbalux::GreyImage> pictures;
    orbalux::GreyImage fields(948, 704);
    for (int y = 0; y < 704; ++y)
        for (int x = 0; x < 948; ++x) fields.At(x, y) = y < 300 ? 0 : (x < 500 ? 160 : static_cast<std::uint8_t>(x * y % 7));
    pictures.push_back(fields);
    orbalux::GreyImage noisy(1024, 1504);
    for (std::uint8_t& v : noisy.pixels) v = random();
    pictures.push_back(noisy);
    orbalux::GreyImage scene(1000, 1000);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; ++x) scene.At(x, y) = static_cast<std::uint8_t>((x / 3 + y / 5) % 200 + random() % 9);
    pictures.push_back(scene);
    pictures.push_back(orbalux::GreyImage(1, 1, 77));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        // Appended, not "p" + ...: GCC 12's -Wrestrict takes a string begun
        // with a literal for an overlapping copy, a false alarm that keeps the
        // build from being free of warnings.
        std::string name = "p";
        name += std::to_string(i) + ".png";
        const std::string path = dir / name;
        WriteFileAtomically(path, [&](std::FILE* f) { orbalux::WriteGreyPng(f, pictures[i], 1); });
        const auto back = ReadGreyPng(path);
        EXPECT_EQ(back.width, pictures[i].width) << i;
        EXPECT_EQ(back.height, pictures[i].height) << i;
        EXPECT_TRUE(back.pixels == pictures[i].pixels) << i;
    }
}

TEST(PngWriter, EveryLevelKeepsEveryPixel) {
    ScratchFolder dir;
    orbalux::GreyImage image;
    image.width = 37;  // odd sizes: no row padding may creep in
    image.height = 23;
    for (int i = 0; i < image.width * image.height; ++i) image.pixels.push_back(static_cast<std::uint8_t>(i * 7919 % 256));
    for (int level = 0; level <= 9; ++level) {
        std::string name = "l";  // appended, for GCC 12 as above
        name += std::to_string(level) + ".png";
        const std::string path = dir / name;
        WriteFileAtomically(path, [&](std::FILE* f) { orbalux::WriteGreyPng(f, image, level); });
        const auto back = ReadGreyPng(path);
        EXPECT_EQ(back.width, image.width) << level;
        EXPECT_EQ(back.height, image.height) << level;
        EXPECT_EQ(back.pixels, image.pixels) << level;
    }
}

TEST(PngWriter, TextChunksKeepEveryByteOfTheirText) {
    ScratchFolder dir;
    orbalux::GreyImage image(3, 2, 9);
    const std::vector<orbalux::PngText> texts = {
        {"Source file", "69_011.001"},
        {"Header", "MARINER 6\n\nFAR ENCOUNTER"},
        {"Note", "\xc3\xa9t\xc3\xa9"},             // UTF-8: iTXt
        {"Source file", "RBL_\xff\xfe\x80.001"},  // not UTF-8: tEXt, its bytes as Latin-1
    };
    const std::string path = dir / "t.png";
    WriteFileAtomically(path, [&](std::FILE* f) { orbalux::WriteGreyPng(f, image, 1, texts); });
    const auto chunks = ReadPngTexts(path);
    ASSERT_EQ(chunks.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(chunks[i].keyword, texts[i].keyword) << i;
        EXPECT_EQ(chunks[i].text, texts[i].text) << i;
        EXPECT_EQ(chunks[i].international, i == 2) << i;
    }
    EXPECT_EQ(ReadGreyPng(path).pixels, image.pixels);
}

TEST(PngWriter, NoLevelAboveTheFastOneWritesALargerFile) {
    // A narrow format's frame as decoded: 135 columns of a noisy scene, the
    // rest of the 816 columns even fill; the full search and the Paeth filter
    // lose to level 1 on such frames.
    orbalux::GreyImage frame(816, 704, 0);
    std::uint32_t noise = 6907;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < 135; ++x) {
            noise = noise * 1664525u + 1013904223u;
            frame.At(x, y) = static_cast<std::uint8_t>(60 + (x + y) / 8 + (noise >> 29));
        }
    auto size = [&](int level, bool bestOf) {
        char* data = nullptr;
        std::size_t length = 0;
        std::FILE* stream = open_memstream(&data, &length);
        if (bestOf) {
            orbalux::WriteGreyPngBestOf(stream, frame, level);
        } else {
            orbalux::WriteGreyPng(stream, frame, level);
        }
        std::fclose(stream);
        std::free(data);
        return length;
    };
    const std::size_t fast = size(1, false);
    for (int level = 2; level <= 9; ++level) EXPECT_LE(size(level, true), fast) << level;
}
