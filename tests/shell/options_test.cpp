// The option buttons on the shown picture against the menu defaults.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include "shell/InfoUnit.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

// 69_011.001's catalogue row: stretch gain 2 (so a gain of 3), black level 0.
int Stretched(int level) { return std::min(3 * level, 255); }

struct CataloguedPicture : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        v.Write136("69_011.001", 1, 1);
        v.Write136("69_011.002", 2, 2);
        ASSERT_TRUE(b.open(v.Path("69_011.001")));
    }
    int shown(int x = 7, int y = 9) const { return b.shownLevel(x, y); }
    int level(int seed = 1, int x = 7, int y = 9) const { return PatternLevel(x, y, seed); }
};

TEST_F(CataloguedPicture, ToolButtonChangesThePictureAtOnceAndTheMenuOnlyTheNextLoad) {
    b.button("ToolButton13")->click();
    EXPECT_EQ(shown(), Stretched(level()));
    EXPECT_TRUE(b.button("ToolButton13")->isChecked());
    EXPECT_FALSE(b.action("Atostretch1")->isChecked());
    EXPECT_EQ(b.probe().State().MenuOptions.Stretch, 0);

    b.action("Next1")->trigger();  // back to the menu's setting
    EXPECT_EQ(shown(), level(2));
    EXPECT_FALSE(b.button("ToolButton13")->isChecked());

    b.action("Atostretch1")->trigger();  // the shown picture stays as it is
    EXPECT_EQ(shown(), level(2));
    b.action("Previous1")->trigger();
    EXPECT_EQ(shown(), Stretched(level()));
    EXPECT_TRUE(b.button("ToolButton13")->isChecked());
}

TEST_F(CataloguedPicture, ContrastStepsStopAtTheHalvingStepAndBrightnessClampsToWhite) {
    b.button("ToolButton27")->click();
    b.button("ToolButton27")->click();
    EXPECT_EQ(b.probe().State().ContrastLevel, -1);
    // gain 0 halves the level, ties to even
    const int v = level();
    EXPECT_EQ(shown(), v % 4 == 1 ? v / 2 : (v + 1) / 2);
    b.button("ToolButton28")->click();
    EXPECT_EQ(b.probe().State().ContrastLevel, 0);
    EXPECT_EQ(shown(), v);

    for (int i = 0; i < 13; ++i) b.button("ToolButton21")->click();
    EXPECT_EQ(b.probe().State().BrightnessLevel, 260);
    EXPECT_EQ(shown(0, 0), 255);
    EXPECT_EQ(shown(134, 701), 255);
    b.button("ToolButton20")->click();
    EXPECT_EQ(b.probe().State().BrightnessLevel, 240);
}

TEST_F(CataloguedPicture, OriginalImageShowsTheDecodedPictureWithEveryButtonUp) {
    b.button("ToolButton19")->click();
    b.button("ToolButton13")->click();
    b.button("ToolButton21")->click();
    b.button("ToolButton10")->click();
    ASSERT_NE(shown(), level());
    const QString header = b.probe().InfoBox()->Line(0)->text();

    b.button("ToolButton9")->click();
    EXPECT_EQ(shown(), level());
    EXPECT_EQ(shown(134, 0), level(1, 134, 0));
    EXPECT_EQ(b.probe().State().ActiveOptions, orbalux::DisplayOptions{});
    EXPECT_EQ(b.probe().State().BrightnessLevel, 0);
    for (const char* name : {"ToolButton10", "ToolButton12", "ToolButton13", "ToolButton18", "ToolButton19",
                             "ToolButton30", "ToolButton32", "ToolButton33"})
        EXPECT_FALSE(b.button(name)->isChecked()) << name;

    // The next option starts from the full chain with only that option on.
    b.button("ToolButton19")->click();
    EXPECT_EQ(shown(), 255 - level());
    EXPECT_EQ(b.caption(), "69_011.001");
    EXPECT_EQ(b.probe().InfoBox()->Line(0)->text(), header);  // no new decode
}

}  // namespace
