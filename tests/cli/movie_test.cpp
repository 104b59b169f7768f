// --movie run on a folder of encoder-built pictures: one frame per picture
// that loads, in the list's order, a failing file reported and left out, and
// the file names written into the frames with --label.
#include <gtest/gtest.h>
#include <gif_lib.h>

#include <algorithm>
#include <memory>

#include "cli_test_support.h"
#include "tools/encoder/picture_encoder.h"

using namespace cli_test;

namespace {

struct GifClose {
    void operator()(GifFileType* g) const {
        int error = 0;
        DGifCloseFile(g, &error);
    }
};

// The frames of a GIF as their palette indices, which the movies make the
// grey levels themselves.
std::vector<orbalux::GreyImage> GifFrames(const std::string& path) {
    std::vector<orbalux::GreyImage> frames;
    int error = 0;
    const std::unique_ptr<GifFileType, GifClose> gif(DGifOpenFileName(path.c_str(), &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
        ADD_FAILURE() << "giflib cannot read " << path;
        return frames;
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const GifImageDesc& d = gif->SavedImages[i].ImageDesc;
        orbalux::GreyImage frame(d.Width, d.Height);
        std::copy_n(gif->SavedImages[i].RasterBits, frame.pixels.size(), frame.pixels.begin());
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace

TEST(Movie, FramesInListOrderWithTheFailingFileLeftOutAndLabels) {
    ScratchFolder scratch;
    const fs::path volume = scratch.path() / "volume";
    fs::create_directories(volume);
    // Written out of list order; the list puts 69_ before RBL_ and sorts by bytes.
    WritePicture945((volume / "RBL_002.001").string(), orbalux::GreyImage(945, 702, 150), 2);
    WritePicture945((volume / "RBL_001.001").string(), orbalux::GreyImage(945, 702, 90), 2);
    WritePicture945((volume / "69_091.005").string(), orbalux::GreyImage(945, 702, 30), 1);
    WriteText((volume / "RBL_001.002").string(), std::string(5000, 'x'));  // no picture line in it

    const std::string movie = scratch / "seq.gif";
    const auto run = RunConvert(scratch, {"-q", "--movie", movie, volume.string()});
    EXPECT_EQ(run.exitCode, 1) << run.err;  // a file failed; the movie holds the others
    EXPECT_NE(run.err.find("RBL_001.002: no picture lines found"), std::string::npos) << run.err;
    const auto frames = GifFrames(movie);
    ASSERT_EQ(frames.size(), 3u);
    const std::vector<int> levels = {30, 90, 150};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].width, 948);
        EXPECT_EQ(frames[i].height, 704);
        EXPECT_EQ(frames[i].At(474, 352), levels[i]) << "frame " << i;
    }

    // The name in the lower left corner: light ink on black, the rest of the
    // frame the picture's own.
    const std::string labelled = scratch / "labelled.gif";
    ASSERT_EQ(RunConvert(scratch, {"-q", "--label", "--movie", labelled, (volume / "RBL_001.001").string()}).exitCode, 0);
    const auto withLabel = GifFrames(labelled);
    ASSERT_EQ(withLabel.size(), 1u);
    int ink = 0, box = 0;
    for (int y = 704 - 40; y < 704 - 6; ++y)
        for (int x = 6; x < 160; ++x) {
            const int v = withLabel[0].At(x, y);
            ink += v > 200;
            box += v == 0;
        }
    EXPECT_GT(ink, 30);
    EXPECT_GT(box, 300);
    EXPECT_EQ(withLabel[0].At(900, 40), 90);
    EXPECT_EQ(frames[1].At(20, 690), 90);  // no label without --label
}

TEST(Movie, AWriteFailureIsReportedAndLeavesNoFile) {
    ScratchFolder scratch;
    const std::string input = scratch / "RBL_001.001";
    WritePicture945(input, orbalux::GreyImage(945, 702, 90), 2);
    const fs::path out = scratch.path() / "out";
    fs::create_directories(out);
    // Each coder meets the full disk its own way: giflib's writes, FFmpeg's
    // I/O context.
    for (const char* name : {"seq.gif", "seq.webm"}) {
        const std::string movie = (out / name).string();
        const auto run = RunConvertWithFileLimit(scratch, {"-q", "--movie", movie, input}, 1024);
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_NE(run.err.find(movie + ": File too large"), std::string::npos) << run.err;
        EXPECT_TRUE(FolderNames(out).empty()) << name;
    }
}

// The encoders are a module the converter opens only for a movie: without it
// a movie is refused by name before any picture is read, and a conversion
// runs as ever.
TEST(Movie, WithoutTheEncoderModuleAMovieIsRefusedAndAConversionStillRuns) {
    ScratchFolder scratch;
    const std::string input = scratch / "RBL_001.001";
    WritePicture945(input, orbalux::GreyImage(945, 702, 90), 2);
    const fs::path out = scratch.path() / "out";
    fs::create_directories(out);
    const std::string missing = "env ORBALUX_MOVIE_ENCODERS=" + (scratch / "no-such-module.so") + " ";
    const std::string movie = (out / "seq.gif").string();
    const auto refused = RunConvertUnder(scratch, missing, {"-q", "--movie", movie, input});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.err.find(movie + ": movies need the movie encoders"), std::string::npos) << refused.err;
    EXPECT_TRUE(FolderNames(out).empty());

    const auto converted = RunConvertUnder(scratch, missing, {"-q", "--format", "png", "-o", out.string(), input});
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(FolderNames(out).size(), 1u);
}
