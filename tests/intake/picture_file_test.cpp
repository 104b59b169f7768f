#include "intake/picture_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "state/orbalux_error.h"
#include "tools/scratch/scratch_folder.h"

namespace orbalux {
namespace {

namespace fs = std::filesystem;

class PictureFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ec;
        if (fs::exists(dir_ / "locked")) fs::permissions(dir_ / "locked", fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    // A state as a previous load left it.
    static PictureState Loaded() {
        PictureState state;
        state.FileBuffer.assign(kFileBufferSize, 7);
        state.BitmapBuffer.assign(kBitmapBufferSize, 9);
        state.DecodedImage[kPictureOrigin] = 42;
        state.ImageWidth = 948;
        state.ImageHeight = 704;
        state.CatalogueName = "69_011.001";
        return state;
    }

    static void ExpectUntouched(const PictureState& state) {
        ASSERT_EQ(state.FileBuffer.size(), static_cast<std::size_t>(kFileBufferSize));
        EXPECT_EQ(state.FileBuffer.front(), 7);
        EXPECT_EQ(state.FileBuffer.back(), 7);
        ASSERT_EQ(state.BitmapBuffer.size(), static_cast<std::size_t>(kBitmapBufferSize));
        EXPECT_EQ(state.BitmapBuffer.front(), 9);
        EXPECT_EQ(state.DecodedImage[kPictureOrigin], 42);
        EXPECT_EQ(state.ImageWidth, 948);
        EXPECT_EQ(state.ImageHeight, 704);
        EXPECT_EQ(state.CatalogueName, "69_011.001");
    }

    // Reading `path` fails with the system's reason for `err`, naming the file.
    static void ExpectFailure(const std::string& path, int err) {
        PictureState state = Loaded();
        try {
            ReadPictureFile(state, path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const OrbaluxError& e) {
            EXPECT_EQ(e.file(), path);
            EXPECT_EQ(e.reason(), std::strerror(err));
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
        }
        ExpectUntouched(state);
    }

    test::ScratchFolder scratch_;
    const fs::path dir_ = scratch_.path();
};

TEST_F(PictureFileTest, LongFileIsCutAtTheBufferSize) {
    std::vector<std::uint8_t> bytes(kFileBufferSize + 1000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    const std::string path = Write("69_311.002", bytes);

    PictureState state = Loaded();
    ReadPictureFile(state, path);
    ASSERT_EQ(state.FileBuffer.size(), static_cast<std::size_t>(kFileBufferSize));
    EXPECT_TRUE(std::equal(state.FileBuffer.begin(), state.FileBuffer.end(), bytes.begin()));
    ASSERT_EQ(state.BitmapBuffer.size(), static_cast<std::size_t>(kBitmapBufferSize));
    EXPECT_TRUE(std::all_of(state.BitmapBuffer.begin(), state.BitmapBuffer.end(), [](auto b) { return b == 0; }));
}

TEST_F(PictureFileTest, ShortAndEmptyFilesLeaveTheRestZero) {
    const std::vector<std::uint8_t> bytes = {0xE2, 0x01, 0x30, 0x1C, 0x0B, 0x03};
    PictureState state = Loaded();  // the previous file's bytes must not show through
    ReadPictureFile(state, Write("69_011.001", bytes));
    ASSERT_EQ(state.FileBuffer.size(), static_cast<std::size_t>(kFileBufferSize));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), state.FileBuffer.begin()));
    EXPECT_TRUE(std::all_of(state.FileBuffer.begin() + 6, state.FileBuffer.end(), [](auto b) { return b == 0; }));

    ReadPictureFile(state, Write("empty.001", {}));
    ASSERT_EQ(state.FileBuffer.size(), static_cast<std::size_t>(kFileBufferSize));
    EXPECT_TRUE(std::all_of(state.FileBuffer.begin(), state.FileBuffer.end(), [](auto b) { return b == 0; }));
}

TEST_F(PictureFileTest, MissingFileOrDirectoryIsReportedAndChangesNothing) {
    ExpectFailure((dir_ / "69_011.999").string(), ENOENT);
    ExpectFailure(dir_.string(), EISDIR);
}

TEST_F(PictureFileTest, UnreadableFileIsReportedAndChangesNothing) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    const std::string path = Write("locked", {1, 2, 3});
    fs::permissions(path, fs::perms::none);
    ExpectFailure(path, EACCES);
}

TEST_F(PictureFileTest, NamedPipeIsRefusedWithoutWaitingForAWriter) {
    const fs::path pipe = dir_ / "69_011.002";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    PictureState state = Loaded();
    try {
        ReadPictureFile(state, pipe.string());
        ADD_FAILURE() << "a named pipe was read as a picture";
    } catch (const OrbaluxError& e) {
        EXPECT_EQ(e.file(), pipe.string());
        EXPECT_EQ(e.reason(), "Not a regular file");
    }
    ExpectUntouched(state);
}

}  // namespace
}  // namespace orbalux
