// Export Sequence and Blink in the window: a cancelled export leaves no file,
// and the blink's timer puts the pinned picture up and stops when the picture
// closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

struct ThreePictures : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        for (int i = 1; i <= 3; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
        ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    }
    QStringList Names() const { return QDir(v.Dir()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(ThreePictures, ACancelledExportLeavesNoFileAndAWholeOneIsWritten) {
    const QStringList before = Names();
    const QString movie = QDir(v.Dir()).filePath("sequence.gif");
    b.seam.sequenceAnswers << SequenceChoice{movie, 1, 3, 5};
    // Cancel as soon as the progress dialog shows its first step.
    bool cancelled = false;
    QTimer::singleShot(0, b.form.get(), [&] {
        if (auto* progress = b.form->findChild<QProgressDialog*>("ExportProgress")) {
            progress->cancel();
            cancelled = true;
        }
    });
    b.action("ExportSequence1")->trigger();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(Names(), before);  // neither the movie nor its temporary file
    EXPECT_TRUE(b.seam.errors.isEmpty());
    EXPECT_FALSE(b.form->statusBar()->currentMessage().startsWith("Wrote"));

    b.seam.sequenceAnswers << SequenceChoice{QDir(v.Dir()).filePath("sequence"), 3, 1, 5};
    b.action("ExportSequence1")->trigger();
    EXPECT_EQ(Names(), before + QStringList{"sequence.webm"}) << b.seam.errors.join("\n").toStdString();
    EXPECT_EQ(b.form->statusBar()->currentMessage(), "Wrote " + QDir(v.Dir()).filePath("sequence.webm"));
}

TEST_F(ThreePictures, BlinkPutsThePinnedPictureUpUntilThePictureCloses) {
    b.action("BlinkWith1")->trigger();
    b.action("Next1")->trigger();
    b.seam.blinkIntervalAnswer = 100;
    b.action("BlinkInterval1")->trigger();
    b.action("Blink1")->trigger();
    auto* status = b.form->findChild<QLabel*>("BlinkStatus");
    EXPECT_EQ(status->text(), "Blink: shown RBL_0002.001");
    EXPECT_EQ(b.shownLevel(5, 7), PatternLevel(5, 7, 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.probe().Blink().PinnedOnScreen(); }, 5000));
    EXPECT_EQ(status->text(), "Blink: pinned RBL_0001.001");
    EXPECT_EQ(b.shownLevel(5, 7), PatternLevel(5, 7, 1));
    EXPECT_TRUE(b.action("Blink1")->isChecked());

    b.action("Close1")->trigger();
    EXPECT_FALSE(b.probe().Blink().Running());
    EXPECT_FALSE(b.probe().BlinkTimer()->isActive());
    EXPECT_EQ(status->text(), "");
}

}  // namespace
