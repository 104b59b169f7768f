// The load over bytes already in memory, and through a reader of the
// caller's, against the load from a path: the same picture, parameters and
// decode for the same bytes and name, and the refusal of bytes that hold no
// picture or that cannot be read.
#include <algorithm>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "load/chain_settings.h"
#include "load/load_sequence.h"
#include "state/orbalux_error.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux {
namespace {

using Bytes = std::vector<std::uint8_t>;

GreyImage Gradient(int width, int height) {
    GreyImage picture(width, height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) picture.At(x, y) = static_cast<std::uint8_t>((3 * x + y) % 256);
    return picture;
}

class BytesLoad : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string path = folder_ / name;
        encoder::WriteFile(path, bytes);
        return path;
    }

    orbalux::test::ScratchFolder folder_;
};

// What a load leaves that anything downstream reads.
void ExpectSameLoad(const PictureState& fromPath, const PictureState& fromBytes) {
    EXPECT_EQ(fromBytes.CurrentFileName, fromPath.CurrentFileName);
    EXPECT_EQ(fromBytes.CatalogueName, fromPath.CatalogueName);
    EXPECT_EQ(fromBytes.FileLength, fromPath.FileLength);
    EXPECT_EQ(fromBytes.DataOffset, fromPath.DataOffset);
    EXPECT_EQ(fromBytes.LineFormat, fromPath.LineFormat);
    EXPECT_EQ(fromBytes.ImageWidth, fromPath.ImageWidth);
    EXPECT_EQ(fromBytes.ImageHeight, fromPath.ImageHeight);
    EXPECT_EQ(fromBytes.LostLineCount, fromPath.LostLineCount);
    EXPECT_EQ(fromBytes.LinesWithinFile, fromPath.LinesWithinFile);
    EXPECT_EQ(fromBytes.HeaderLines, fromPath.HeaderLines);
    EXPECT_TRUE(fromBytes.DecodedImage == fromPath.DecodedImage);
    const std::size_t bmp = BitmapFileSize(fromPath);
    ASSERT_EQ(BitmapFileSize(fromBytes), bmp);
    EXPECT_TRUE(std::equal(fromPath.BitmapBuffer.begin(), fromPath.BitmapBuffer.begin() + bmp,
                           fromBytes.BitmapBuffer.begin()));
}

TEST_F(BytesLoad, GivesWhatThePathLoadGivesForTheSameBytes) {
    const encoder::LineDefect lost[] = {{.line = 100, .droppedBefore = 1}, {.line = 400, .droppedBefore = 2}};
    Bytes longFile = encoder::EncodePicture(945, Gradient(945, 702), {.records = 2});
    longFile.resize(kFileBufferSize + 5000, 0x3F);  // only the first 2,100,000 bytes count
    const Bytes whole = encoder::EncodePicture(945, Gradient(945, 699), {.records = 2}, lost);
    Bytes cut = whole;
    cut.resize(cut.size() / 2);
    const Bytes narrow = encoder::EncodePicture(136, Gradient(135, 702), {.records = 1});

    struct Case {
        const char* name;
        const Bytes& bytes;
        const char* catalogueName;
    } cases[] = {
        {"RBL_001.001", whole, ""},  {"RBL_001.002", cut, ""}, {"RBL_001.003", longFile, ""},
        {"69_011.001", narrow, ""},  {"copy-of-it", narrow, "69_011.001"},
    };
    ChainSettings settings;
    settings.menu.Stretch = 1;
    settings.menu.Despeckle = 1;
    settings.brightness = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.bytes);
        PictureState fromPath, fromBytes;
        LoadPicture(fromPath, path, c.catalogueName);
        LoadPictureBytes(fromBytes, c.bytes, path, c.catalogueName);
        ExpectSameLoad(fromPath, fromBytes);

        RenderPicture(fromPath, path, settings, c.catalogueName);
        RenderPictureBytes(fromBytes, c.bytes, path, settings, c.catalogueName);
        ExpectSameLoad(fromPath, fromBytes);
        EXPECT_EQ(fromBytes.BrightnessLevel, 2);

        // A reader that hands over a little at a time, as a file layer may,
        // and no BMP asked for: the same working picture, the BMP block
        // never sized.
        ChainSettings greyOnly = settings;
        greyOnly.bitmap = false;
        PictureState read;
        RenderPictureRead(
            read,
            [&c](std::span<std::uint8_t> block) {
                const std::size_t n = std::min(block.size(), c.bytes.size());
                std::copy_n(c.bytes.begin(), n, block.begin());
                return n;
            },
            path, greyOnly, c.catalogueName);
        EXPECT_TRUE(read.BitmapBuffer.empty());
        EXPECT_TRUE(read.DecodedImage == fromPath.DecodedImage);
        const std::size_t pixels = static_cast<std::size_t>(read.ImageWidth) * read.ImageHeight;
        ASSERT_EQ(read.ImageWidth, fromPath.ImageWidth);
        EXPECT_TRUE(std::equal(read.FileBuffer.begin() + kPictureOrigin,
                               read.FileBuffer.begin() + kPictureOrigin + pixels,
                               fromPath.FileBuffer.begin() + kPictureOrigin));
    }
}

TEST_F(BytesLoad, BytesWithoutAPictureAreRefusedByKind) {
    const Bytes picture = encoder::EncodePicture(945, Gradient(945, 702), {.records = 2});
    PictureState shown;
    LoadPictureBytes(shown, picture, "RBL_001.001");
    const std::vector<std::uint8_t> decoded = shown.DecodedImage;

    auto kindOf = [](const std::function<void()>& load) {
        try {
            load();
        } catch (const OrbaluxError& e) {
            return e.kind();
        }
        ADD_FAILURE() << "loaded";
        return ErrorKind::Failed;
    };
    const Bytes text = {'P', 'D', 'S', '_', 'V', 'E', 'R', 'S', 'I', 'O', 'N'};
    EXPECT_EQ(kindOf([&] { LoadPictureBytes(shown, text, "69_311.002"); }), ErrorKind::NotAPicture);
    EXPECT_EQ(kindOf([&] { LoadPictureBytes(shown, {}, "69_311.002"); }), ErrorKind::NotAPicture);
    const PictureBlockReader failing = [](std::span<std::uint8_t> block) -> std::size_t {
        std::fill_n(block.begin(), 1000, 0x55);  // half read, then the file fails
        throw OrbaluxError(ErrorKind::Unreadable, "69_311.002", "Input/output error");
    };
    EXPECT_EQ(kindOf([&] { LoadPictureRead(shown, failing, "69_311.002"); }), ErrorKind::Unreadable);
    // Refused before the state changes: the shown picture stays.
    EXPECT_EQ(shown.CurrentFileName, "RBL_001.001");
    EXPECT_TRUE(shown.DecodedImage == decoded);
}

}  // namespace
}  // namespace orbalux
