// The making of the strip's thumbnails without a window: the order the
// entries are made in, the wait behind a load the user waits for, and the
// thumbnail of a narrow picture.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "session/foreground_work.h"
#include "session/thumbnail_cache.h"
#include "session/thumbnail_maker.h"
#include "session/thumbnail_schedule.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux {
namespace {

TEST(ThumbnailSchedule, TheViewFirstThenOutwardAheadBeforeBehind) {
    ThumbnailSchedule s;
    std::vector<bool> wanted(10, true);
    wanted[5] = false;  // already made
    s.Reset(wanted);
    s.SetView(4, 6);
    std::vector<int> order;
    for (int i = 0; i < 3; ++i) order.push_back(*s.Take());
    EXPECT_EQ(order, (std::vector<int>{4, 6, 7}));
    // The user scrolls to the start: what is in view now comes first.
    s.SetView(0, 1);
    while (const auto next = s.Take()) order.push_back(*next);
    EXPECT_EQ(order, (std::vector<int>{4, 6, 7, 0, 1, 2, 3, 8, 9}));
    EXPECT_EQ(s.Remaining(), 0);
}

TEST(ThumbnailMaker, StartsNoPictureWhileAForegroundLoadRuns) {
    using namespace std::chrono_literals;
    std::atomic<int> started{0}, delivered{0};
    std::optional<ForegroundWork> step(std::in_place);
    ThumbnailMaker maker(
        2,
        [&](PictureState&, const std::string&) {
            ++started;
            return GreyImage(4, 4, 7);
        },
        [&](MadeThumbnail) { ++delivered; });
    maker.SetList({"a", "b", "c"}, {true, true, true});
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(started.load(), 0);  // the step holds them back
    step.reset();
    for (int i = 0; i < 500 && delivered.load() < 3; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(delivered.load(), 3);
}

TEST(ListThumbnail, ANarrowPictureIsWidenedToItsTrueProportions) {
    // A 136-sample picture of the 69_011 group: 135 samples a line.
    orbalux::GreyImage picture(135, 702);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) picture.At(x, y) = static_cast<std::uint8_t>(20 + (x + 2 * y) % 100);
    orbalux::encoder::HeaderPlan header;
    header.records = 2;
    const orbalux::test::ScratchFolder dir;
    const std::string path = dir / "69_011.002";
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(136, picture, header));

    orbalux::PictureState state;
    const orbalux::GreyImage thumb = ListThumbnail(state, path, 96);
    // 136 samples six times wide by 704 rows.
    ASSERT_EQ(thumb.width, 96);
    EXPECT_EQ(thumb.height, 83);
    // Its right part is picture, not the grey the narrow rows end with.
    int grey = 0;
    for (int y = 0; y < thumb.height; ++y)
        for (int x = 48; x < 96; ++x) grey += thumb.At(x, y) == 160;
    EXPECT_LT(grey, 48 * 83 / 4);
    // The cut ends with the last column of samples: the right edge holds
    // the picture's levels alone, nothing of the column after them.
    for (int y = 0; y < thumb.height; ++y) {
        EXPECT_GE(thumb.At(95, y), 20) << y;
        EXPECT_LE(thumb.At(95, y), 119) << y;
    }
}

TEST(ThumbnailCache, AThumbnailIsGoodOnlyWhileItsFileIsAsItWasMadeFrom) {
    namespace fs = std::filesystem;
    const orbalux::test::ScratchFolder dir;
    const std::string path = dir / "RBL_0001.001";
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(945, orbalux::GreyImage(945, 702, 90), {}));

    ThumbnailCache<int> cache;
    EXPECT_FALSE(cache.Fresh(path));
    cache.Put(path, StampOf(path), 1);
    EXPECT_TRUE(cache.Fresh(path));
    // Rewritten in place with as many bytes: only its time tells.
    const auto made = fs::last_write_time(path);
    fs::last_write_time(path, made + std::chrono::seconds(2));
    EXPECT_FALSE(cache.Fresh(path));
    EXPECT_EQ(cache.Find(path), nullptr);

    cache.Put(path, StampOf(path), 2);
    std::ofstream(path, std::ios::trunc).close();  // emptied, maybe within the same tick
    EXPECT_FALSE(cache.Fresh(path));
    cache.Put(path, StampOf(path), 3);
    fs::remove(path);
    EXPECT_FALSE(cache.Fresh(path));
    // A file that was missing when its failure was noted, and came back.
    cache.Put(path, StampOf(path), 4);
    EXPECT_TRUE(cache.Fresh(path));
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(945, orbalux::GreyImage(945, 702, 90), {}));
    EXPECT_FALSE(cache.Fresh(path));
}

}  // namespace
}  // namespace orbalux
