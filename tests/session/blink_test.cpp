// Blink without a window: the pinned and the shown picture in turn, both
// drawn under the shown one's options, as the list is browsed, until the
// picture closes.
#include "session/blink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>


#include "processing/display_options.h"
#include "tests/support/encoded_pictures.h"

namespace {

namespace fs = std::filesystem;
using orbalux::BlinkPair;
using orbalux::BrowsingSession;
using orbalux::Outcome;

using BlinkFolder = orbalux::test::FlatPictureFolder;

int OnScreenLevel(const BlinkPair& blink, const BrowsingSession& s) { return blink.OnScreen(s).BitmapBuffer[54]; }

const orbalux::DisplayOptionRow& InvertRow() {
    for (const auto& row : orbalux::DisplayOptionTable())
        if (row.flag == &orbalux::DisplayOptions::Invert) return row;
    throw std::logic_error("no invert row");
}

TEST(Blink, AlternatesThePinnedAndTheShownPictureUnderTheShownOptions) {
    BlinkFolder f(3);
    BrowsingSession s;
    BlinkPair blink;
    EXPECT_FALSE(blink.Pin(s));  // nothing shown, nothing to pin
    ASSERT_EQ(s.Open(f.Path(1)), Outcome::Done);
    ASSERT_TRUE(blink.Pin(s));
    EXPECT_EQ(blink.StatusText(s), "");
    ASSERT_EQ(s.Next(), Outcome::Done);
    ASSERT_TRUE(blink.Start(s));

    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(2));
    EXPECT_EQ(blink.StatusText(s), "Blink: shown " + BlinkFolder::Name(2));
    EXPECT_EQ(blink.Flip(s), Outcome::Done);
    EXPECT_TRUE(blink.PinnedOnScreen());
    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(1));
    EXPECT_EQ(blink.StatusText(s), "Blink: pinned " + BlinkFolder::Name(1));
    EXPECT_EQ(blink.Flip(s), Outcome::Done);
    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(2));

    // An option changed on the shown picture draws the pinned one too.
    ASSERT_EQ(s.ToggleShownOption(InvertRow()), Outcome::Done);
    EXPECT_EQ(OnScreenLevel(blink, s), 255 - BlinkFolder::Level(2));
    EXPECT_EQ(blink.Flip(s), Outcome::Done);
    EXPECT_EQ(OnScreenLevel(blink, s), 255 - BlinkFolder::Level(1));

    // Browsing on, the next picture takes the shown one's turn.
    blink.Flip(s);
    ASSERT_EQ(s.Next(), Outcome::Done);
    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(3));
    blink.Flip(s);
    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(1));

    // Stopped, the shown picture is on screen and the pin stays for the next start.
    blink.Stop();
    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(3));
    EXPECT_EQ(blink.Flip(s), Outcome::Unchanged);
    EXPECT_TRUE(blink.Start(s));

    // The picture closed: the blink ends.
    s.Close();
    EXPECT_EQ(blink.Flip(s), Outcome::Unchanged);
    EXPECT_FALSE(blink.Running());
}

TEST(Blink, APinnedFileGoneStopsTheBlinkWithTheReason) {
    BlinkFolder f(2);
    BrowsingSession s;
    BlinkPair blink;
    ASSERT_EQ(s.Open(f.Path(1)), Outcome::Done);
    blink.Pin(s);
    ASSERT_EQ(s.Next(), Outcome::Done);
    fs::remove(f.Path(1));
    ASSERT_TRUE(blink.Start(s));
    EXPECT_EQ(blink.Flip(s), Outcome::Failed);
    ASSERT_TRUE(blink.LastError());
    EXPECT_FALSE(blink.Running());
    EXPECT_EQ(OnScreenLevel(blink, s), BlinkFolder::Level(2));
    blink.PictureClosed();
    EXPECT_FALSE(blink.HasPin());
    EXPECT_FALSE(blink.Start(s));
}

TEST(Blink, ThePinnedPictureTakesTheShownPercentileStretchWithItsPercentiles) {
    // Two copies of one picture that holds every level: under the same
    // stretch they look the same, under other percentiles they do not.
    const orbalux::test::ScratchFolder dir;
    for (const char* name : {"RBL_0001.001", "RBL_0002.001"})
        orbalux::test::WritePicture945(dir / name, orbalux::test::KnownPicture945(), 2);
    BrowsingSession s;
    BlinkPair blink;
    ASSERT_EQ(s.Open(dir / "RBL_0001.001"), Outcome::Done);
    ASSERT_TRUE(blink.Pin(s));
    ASSERT_EQ(s.Next(), Outcome::Done);
    const orbalux::PictureStretchRow& percentile = orbalux::PictureStretchTable().front();
    ASSERT_TRUE(percentile.takesPercentiles);
    ASSERT_EQ(s.ToggleShownStretch(percentile), Outcome::Done);
    ASSERT_EQ(s.SetPercentiles(10, 90), Outcome::Done);
    const std::vector<std::uint8_t> shown = s.State().BitmapBuffer;

    ASSERT_TRUE(blink.Start(s));
    ASSERT_EQ(blink.Flip(s), Outcome::Done);
    ASSERT_TRUE(blink.PinnedOnScreen());
    EXPECT_EQ(blink.OnScreen(s).StretchLowLevel, s.State().StretchLowLevel);
    EXPECT_EQ(blink.OnScreen(s).StretchHighLevel, s.State().StretchHighLevel);
    EXPECT_TRUE(blink.OnScreen(s).BitmapBuffer == shown);
}

}  // namespace
