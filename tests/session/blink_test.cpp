// Blink without a window: the pinned and the shown picture in turn, both
// drawn under the shown one's options, as the list is browsed, until the
// picture closes.
#include "session/blink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>


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

}  // namespace
