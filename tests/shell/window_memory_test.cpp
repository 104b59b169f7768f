// The window as the user left it: place, size and maximised state, and the
// zoom mode, from one run to the next.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "shell/window_memory.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::Volume;

TEST(WindowMemory, PlaceSizeAndMaximisedStateComeBackAsLeft) {
    ScriptedSeam seam;
    {
        TMainForm first(seam);
        ShowAsLeft(first);
        EXPECT_TRUE(first.isMaximized());  // a first run
        first.showNormal();
        // Inside the offscreen screen's 800 x 600, which newer Qt keeps a
        // restored window within.
        first.setGeometry(40, 50, 700, 520);
        first.close();
    }
    {
        TMainForm second(seam);
        ShowAsLeft(second);
        EXPECT_FALSE(second.isMaximized());
        EXPECT_EQ(second.geometry(), QRect(40, 50, 700, 520));
        second.showMaximized();
        second.close();
    }
    TMainForm third(seam);
    ShowAsLeft(third);
    EXPECT_TRUE(third.isMaximized());
    third.showNormal();
    EXPECT_EQ(third.geometry().size(), QSize(700, 520));  // restored to the size left
}

TEST(WindowMemory, TheZoomModeComesBackOnTheNextRun) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    const auto zoomShown = [&v] {
        Browser b;
        EXPECT_TRUE(b.open(v.Path("RBL_0001.001")));
        return b.form->findChild<QLabel*>("ZoomStatus")->text();
    };
    {
        Browser b;
        ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
        b.action("ZoomIn1")->trigger();
        b.action("ZoomIn1")->trigger();
    }
    EXPECT_EQ(zoomShown(), "300%");
    {
        Browser b;
        ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
        b.action("FitToWindow1")->trigger();
    }
    EXPECT_TRUE(zoomShown().startsWith("Fit ")) << zoomShown().toStdString();
}

}  // namespace
