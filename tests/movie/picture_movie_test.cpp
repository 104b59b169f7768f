// The two-pass movie of picture files: the canvas measured in the first pass,
// each failing picture reported once and never framed (whichever pass it
// fails in), the frames decorated on the canvas, and a cancel while measuring
// leaving no file.
#include "movie/picture_movie.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "movie_read_back.h"
#include "state/orbalux_error.h"
#include "tests/support/encoded_pictures.h"
#include "tests/support/test_files.h"
#include "tools/encoder/picture_encoder.h"

using namespace orbalux;
namespace fs = std::filesystem;

namespace {

struct Folder {
    test::ScratchFolder dir;
    // 945-sample pictures shown 948 x 704 and a 1023-sample one shown
    // 1024 x 1504, between them a file without a picture line.
    std::vector<std::string> paths = {dir / "RBL_001.001", dir / "RBL_002.001", dir / "69_301.009",
                                      dir / "RBL_003.001"};
    Folder() {
        test::WritePicture945(paths[0], GreyImage(945, 702, 90), 2);
        test::WriteText(paths[1], std::string(5000, 'x'));
        encoder::WriteFile(paths[2], encoder::EncodePicture(1023, GreyImage(1023, 1503, 200), {.records = 0}));
        test::WritePicture945(paths[3], GreyImage(945, 702, 150), 2);
    }
};

}  // namespace

TEST(PictureMovie, FailuresReportedOnceNeverFramedAndTheCanvasFromTheFirstPass) {
    Folder folder;
    const std::string movie = folder.dir / "seq.gif";
    std::vector<std::size_t> leftOut, measured, framed, decorated;
    PictureMovieHooks hooks;
    hooks.leftOut = [&](std::size_t index, const std::exception& e) {
        EXPECT_NE(dynamic_cast<const OrbaluxError*>(&e), nullptr) << e.what();
        leftOut.push_back(index);
        return true;
    };
    hooks.progress = [&](const MovieStep& step) {
        auto& told = step.pass == MoviePass::Measure ? measured : framed;
        told.push_back(step.index);
        EXPECT_EQ(step.done, told.size());
        EXPECT_EQ(step.total, step.pass == MoviePass::Measure ? 4u : 3u);
        // The largest picture goes once it is measured: the second pass
        // finds it gone.
        if (step.pass == MoviePass::Measure && step.done == 4) fs::remove(folder.paths[2]);
        return true;
    };
    hooks.decorate = [&](GreyImage& frame, std::size_t index) {
        EXPECT_EQ(frame.width, 1024);
        EXPECT_EQ(frame.height, 1504);
        frame.At(0, 0) = 255;
        decorated.push_back(index);
    };
    const PictureMovieResult result = WritePictureMovie(movie, folder.paths, {}, {}, {MovieFormat::Gif, {}, 10}, hooks);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.frames, 2u);
    EXPECT_EQ(leftOut, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(measured, (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_EQ(framed, (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_EQ(decorated, (std::vector<std::size_t>{0, 3}));

    const movie_test::GifMovie gif = movie_test::ReadGif(movie);
    ASSERT_EQ(gif.frames.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(gif.frames[i].width, 1024);
        EXPECT_EQ(gif.frames[i].height, 1504);
        EXPECT_EQ(gif.frames[i].At(512, 752), i == 0 ? 90 : 150);
        EXPECT_EQ(gif.frames[i].At(0, 0), 255);  // the decoration, on the black around the picture
        EXPECT_EQ(gif.frames[i].At(1, 1), 0);
    }
}

TEST(PictureMovie, ACancelWhileMeasuringWritesNothingAndNoneLoadedIsAnError) {
    Folder folder;
    const std::string movie = folder.dir / "seq.gif";
    PictureMovieHooks hooks;
    hooks.progress = [](const MovieStep& step) { return step.done < 2; };
    EXPECT_FALSE(WritePictureMovie(movie, folder.paths, {}, {}, {MovieFormat::Gif, {}, 10}, hooks).written);
    EXPECT_FALSE(fs::exists(movie));

    // The default report leaves a picture that fails to load out, silently.
    try {
        WritePictureMovie(movie, {folder.paths[1]}, {}, {}, {MovieFormat::Gif, {}, 10});
        ADD_FAILURE() << "written";
    } catch (const OrbaluxError& e) {
        EXPECT_EQ(e.file(), movie);
        EXPECT_EQ(e.reason(), "no pictures for the movie");
    }
    EXPECT_EQ(test::FolderNames(folder.dir.path()).size(), 4u);  // the pictures alone
}
