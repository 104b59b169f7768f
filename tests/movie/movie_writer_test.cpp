// The movie writer in each format: frames in order, pictures of different
// sizes centred on black, entries left out, the frame rate, and a cancelled
// or failed movie leaving no file.
#include "movie/movie_writer.h"
#include "movie/frame_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <filesystem>
#include <fstream>

#include "movie_read_back.h"
#include "state/orbalux_error.h"
#include "tools/scratch/scratch_folder.h"

using namespace orbalux;
namespace fs = std::filesystem;

namespace {

class MovieWriterTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
        return names;
    }
    orbalux::test::ScratchFolder scratch_;
    const fs::path& dir_ = scratch_.path();
};

// Three pictures of known flat levels; the first is the largest, the second a
// quarter of its area, the third as wide but lower. The canvas's sides are
// odd, which the video formats must round up.
const std::vector<GreyImage> kPictures = {GreyImage(95, 71, 200), GreyImage(47, 35, 120), GreyImage(95, 21, 60)};

std::optional<GreyImage> Picture(std::size_t i) { return kPictures[i]; }

MovieSettings SettingsFor(MovieFormat format) {
    const std::vector<CanvasSize> sizes = {{95, 71}, {47, 35}, {95, 21}};
    return {format, CanvasFor(sizes), 10};
}

// The frame's level at the canvas's point (x, y), and the picture's centre
// against the black around it, with room for a lossy coder's blur at edges.
void ExpectFramesInOrderCentredOnBlack(const std::vector<GreyImage>& frames, int tolerance) {
    ASSERT_EQ(frames.size(), 3u);
    auto near = [tolerance](int actual, int expected) { return std::abs(actual - expected) <= tolerance; };
    EXPECT_TRUE(near(frames[0].At(47, 35), 200)) << int(frames[0].At(47, 35));
    EXPECT_TRUE(near(frames[0].At(3, 3), 200));
    // The small picture lies at (24, 18)..(70, 52); black all round it.
    EXPECT_TRUE(near(frames[1].At(47, 35), 120)) << int(frames[1].At(47, 35));
    EXPECT_TRUE(near(frames[1].At(28, 22), 120));
    for (const auto& [x, y] : {std::pair{10, 35}, {85, 35}, {47, 8}, {47, 63}, {4, 4}})
        EXPECT_TRUE(near(frames[1].At(x, y), 0)) << x << "," << y << ": " << int(frames[1].At(x, y));
    // The low picture spans rows 25..45.
    EXPECT_TRUE(near(frames[2].At(47, 35), 60));
    EXPECT_TRUE(near(frames[2].At(47, 10), 0));
    EXPECT_TRUE(near(frames[2].At(47, 60), 0));
}

}  // namespace

TEST_F(MovieWriterTest, VideoFormatsHoldEveryFrameInOrderCentredOnBlack) {
    for (const MovieFormat format : {MovieFormat::Mp4, MovieFormat::WebM}) {
        const std::string path = (dir_ / ("seq" + std::string(MovieFormatRowOf(format).extension))).string();
        ASSERT_TRUE(WriteMovie(path, SettingsFor(format), kPictures.size(), Picture));
        const std::vector<GreyImage> frames = movie_test::DecodeVideoFrames(path);
        ASSERT_FALSE(frames.empty()) << path;
        // 4:2:0 video has even sides: the canvas gains a line and a column.
        EXPECT_EQ(frames[0].width, 96);
        EXPECT_EQ(frames[0].height, 72);
        ExpectFramesInOrderCentredOnBlack(frames, 8);
    }
}

TEST_F(MovieWriterTest, GifHasGreyPaletteLoopAndDelayFromTheFrameRate) {
    const std::string path = (dir_ / "seq.gif").string();
    MovieSettings settings = SettingsFor(MovieFormat::Gif);
    settings.fps = 4;
    ASSERT_TRUE(WriteMovie(path, settings, kPictures.size(), Picture));
    const movie_test::GifMovie gif = movie_test::ReadGif(path);
    ASSERT_FALSE(gif.frames.empty());
    EXPECT_EQ(gif.frames[0].width, 95);
    EXPECT_EQ(gif.frames[0].height, 71);
    ExpectFramesInOrderCentredOnBlack(gif.frames, 0);
    EXPECT_TRUE(gif.greyPalette);
    EXPECT_TRUE(gif.loops);
    EXPECT_EQ(gif.delays, (std::vector<int>{25, 25, 25}));  // a quarter second each
}

TEST_F(MovieWriterTest, GifKeepsTheFrameRateOnAverage) {
    // The format counts hundredths: at 30 a second ten frames last 1/3 s
    // within a hundredth, no frame under 3/100 s nor over 4/100 s.
    const std::string path = (dir_ / "thirty.gif").string();
    MovieSettings settings = SettingsFor(MovieFormat::Gif);
    settings.fps = 30;
    ASSERT_TRUE(WriteMovie(path, settings, 10, [](std::size_t i) { return kPictures[i % 3]; }));
    const std::vector<int> delays = movie_test::ReadGif(path).delays;
    ASSERT_EQ(delays.size(), 10u);
    int total = 0;
    for (const int delay : delays) {
        EXPECT_TRUE(delay == 3 || delay == 4) << delay;
        total += delay;
    }
    EXPECT_LE(std::abs(total / 100.0 - 1.0 / 3.0), 0.01) << total;
    EXPECT_EQ(GifFrameDelay(3, 0) + GifFrameDelay(3, 1) + GifFrameDelay(3, 2), 100);

    // 60 a second would need delays under the 2/100 s that viewers keep.
    settings.fps = 60;
    EXPECT_THROW(WriteMovie((dir_ / "sixty.gif").string(), settings, 3, Picture), OrbaluxError);
    EXPECT_FALSE(fs::exists(dir_ / "sixty.gif"));
}

TEST_F(MovieWriterTest, Mp4HoldsItsIndexBeforeItsData) {
    const std::string path = (dir_ / "web.mp4").string();
    ASSERT_TRUE(WriteMovie(path, SettingsFor(MovieFormat::Mp4), kPictures.size(), Picture));
    // The top-level boxes: a 32-bit size (1: a 64-bit one follows the type)
    // and a four-letter type.
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> boxes;
    for (std::size_t at = 0; at + 8 <= bytes.size();) {
        std::uint64_t size =
            (std::uint64_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
        if (size == 1 && at + 16 <= bytes.size()) {
            size = 0;
            for (int k = 0; k < 8; ++k) size = (size << 8) | bytes[at + 8 + static_cast<std::size_t>(k)];
        }
        boxes.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           bytes.begin() + static_cast<std::ptrdiff_t>(at + 8));
        if (size < 8) break;
        at += size;
    }
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    const auto mdat = std::find(boxes.begin(), boxes.end(), "mdat");
    ASSERT_NE(moov, boxes.end());
    ASSERT_NE(mdat, boxes.end());
    EXPECT_LT(moov, mdat);
    EXPECT_EQ(movie_test::DecodeVideoFrames(path).size(), kPictures.size());  // still whole after the move
}

TEST_F(MovieWriterTest, EntriesLeftOutAndNoneLeft) {
    const std::string path = (dir_ / "some.gif").string();
    ASSERT_TRUE(WriteMovie(path, SettingsFor(MovieFormat::Gif), 3, [](std::size_t i) -> std::optional<GreyImage> {
        if (i == 1) return std::nullopt;
        return kPictures[i];
    }));
    const movie_test::GifMovie gif = movie_test::ReadGif(path);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.frames[1].At(47, 35), 60);

    const std::string none = (dir_ / "none.webm").string();
    EXPECT_THROW(WriteMovie(none, SettingsFor(MovieFormat::WebM), 3, [](std::size_t) { return std::optional<GreyImage>(); }),
                 OrbaluxError);
    EXPECT_EQ(Names(), std::vector<std::string>{"some.gif"});  // neither the movie nor its temporary file
}

TEST_F(MovieWriterTest, CancelLeavesNoFileAndAnOlderOneAsItWas) {
    for (const MovieFormat format : {MovieFormat::Gif, MovieFormat::Mp4}) {
        const std::string path = (dir_ / ("seq" + std::string(MovieFormatRowOf(format).extension))).string();
        std::ofstream(path) << "older";
        std::vector<std::size_t> told;
        const bool written = WriteMovie(path, SettingsFor(format), 3, Picture, [&](std::size_t done, std::size_t total) {
            told.push_back(done);
            EXPECT_EQ(total, 3u);
            return done < 2;
        });
        EXPECT_FALSE(written);
        EXPECT_EQ(told, (std::vector<std::size_t>{1, 2}));
        std::ifstream in(path);
        std::string text;
        in >> text;
        EXPECT_EQ(text, "older");
        fs::remove(path);
        EXPECT_TRUE(Names().empty()) << Names().front();
    }
}
