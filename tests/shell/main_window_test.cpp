// The main window before any picture: commands, check marks, tool bar.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "shell/InfoUnit.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;

const char* const kPictureMenuItems[] = {
    "Next1",        "Previous1",     "First1",         "Last1",       "GoTo1",          "Close1",
    "SaveAs1",      "ScanForward1",  "ScanBackward1",  "ScanStop1",   "Print1",         "PrintSetup1",
    "ZoomIn1",      "ZoomOut1",      "ActualSize1",    "FitToWindow1", "OriginalImage1", "FlipVertically2",
    "Rotate2",      "Despeckle1",    "Stretch1",       "Missinglines1", "ContrastDown1", "ContrastUp1",
    "BrightnessDown1", "BrightnessUp1", "InvertDisplay1", "Minimize2", "Minimize25originalsize1", "ImageInfo1",
    "PercentileStretch2", "Equalize2"};
// Measuring and Compare work on a picture too.
const char* const kMeasureItems[] = {"Measure1", "MeasureLine1", "CompareWith1"};
const char* const kAlwaysMenuItems[] = {
    "Open1",      "Exit1",       "Atostretch1", "Despeckleon1",      "FlipVertically1",   "Invert1",
    "Minimize1",  "Minimize141", "Rotate1",     "HorizontalStretch1", "N1missinglinefill1",
    "N2ormoremissinglinescompress1", "Toolbar1", "N2seconds1", "N3seconds1", "N4seconds1", "N5seconds1",
    "About1", "PercentileStretch1", "Equalize1", "StretchPercentiles1"};

TEST(MainWindow, StartsWithOnlyOpenExitAboutAndTheOptionMenusUsable) {
    Browser b;
    EXPECT_EQ(b.form->windowTitle(), "Orbalux CD-WO Image Browser ");
    EXPECT_EQ(b.counter(), "0/0");
    EXPECT_EQ(b.probe().CurrentChild(), nullptr);
    for (const char* name : kPictureMenuItems) EXPECT_FALSE(b.action(name)->isEnabled()) << name;
    for (const char* name : kMeasureItems) EXPECT_FALSE(b.action(name)->isEnabled()) << name;
    for (const char* name : kAlwaysMenuItems) EXPECT_TRUE(b.action(name)->isEnabled()) << name;

    const auto buttons = b.form->findChild<QWidget*>("MojCoolBar")->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 26);
    int disabled = 0;
    for (QToolButton* button : buttons) {
        const bool usable = button->objectName() == "FileOpenBtn" || button->objectName() == "HelpAboutBtn";
        EXPECT_EQ(button->isEnabled(), usable) << button->objectName().toStdString();
        EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
        EXPECT_EQ(button->icon().pixmap(16, 16).size(), QSize(16, 16));
        disabled += usable ? 0 : 1;
    }
    EXPECT_EQ(disabled, 24);

    // Check marks: only the compress item and the tool bar; no pause chosen.
    for (const char* name : kAlwaysMenuItems) {
        const bool checked = QLatin1String(name) == QLatin1String("N2ormoremissinglinescompress1") ||
                             QLatin1String(name) == QLatin1String("Toolbar1");
        EXPECT_EQ(b.action(name)->isChecked(), checked) << name;
    }
    EXPECT_FALSE(b.probe().Timer1()->isActive());
    EXPECT_EQ(b.probe().Timer1()->interval(), 2000);

    auto* counter = b.form->findChild<QLineEdit*>("Memo1");
    EXPECT_TRUE(counter->isReadOnly());
    EXPECT_TRUE(counter->alignment() & Qt::AlignRight);
}

TEST(MainWindow, ToolbarItemHidesAndShowsTheCounterWithTheToolBar) {
    Browser b;
    auto* bar = b.form->findChild<QToolBar*>("MojToolBar");
    auto* counter = b.form->findChild<QLineEdit*>("Memo1");
    ASSERT_TRUE(counter->isVisible());
    b.action("Toolbar1")->trigger();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(counter->isVisible());
    EXPECT_FALSE(b.action("Toolbar1")->isChecked());
    b.action("Toolbar1")->trigger();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(counter->isVisible());
    EXPECT_TRUE(b.action("Toolbar1")->isChecked());
    EXPECT_EQ(counter->text(), "0/0");
}

TEST(MainWindow, AboutFromMenuAndButtonAndExitClosesTheFrame) {
    Browser b;
    b.action("About1")->trigger();
    b.button("HelpAboutBtn")->click();
    EXPECT_EQ(b.seam.modals, QStringList({"AboutBox", "AboutBox"}));
    b.action("Exit1")->trigger();
    EXPECT_FALSE(b.form->isVisible());
}

TEST(MainWindow, MenuOptionItemsFlipTheirDefaultsWithoutAPicture) {
    Browser b;
    b.action("Atostretch1")->trigger();
    b.action("Minimize141")->trigger();
    b.action("HorizontalStretch1")->trigger();
    b.action("N2ormoremissinglinescompress1")->trigger();
    EXPECT_EQ(b.probe().State().MenuOptions.Stretch, 1);
    EXPECT_EQ(b.probe().State().MenuOptions.MinimizeQuarter, 1);
    EXPECT_EQ(b.probe().State().HorizontalStretchOn, 1);
    EXPECT_EQ(b.probe().State().CompressMissingLines, 0);
    EXPECT_TRUE(b.action("Atostretch1")->isChecked());
    EXPECT_FALSE(b.action("N2ormoremissinglinescompress1")->isChecked());
    b.action("Atostretch1")->trigger();
    EXPECT_EQ(b.probe().State().MenuOptions.Stretch, 0);
    EXPECT_FALSE(b.action("Atostretch1")->isChecked());
    EXPECT_EQ(b.probe().State().ActiveOptions, orbalux::DisplayOptions{});
}

TEST(MainWindow, InfoBoxLinesStandInColumnsOfAFixedPitchFont) {
    Browser b;
    TInfoBox* info = b.probe().InfoBox();
    const QString wide(72, QChar('W'));
    const QString narrow(72, QChar('i'));
    for (int i = 0; i < TInfoBox::kLineCount; ++i) {
        const QFontMetrics metrics(info->Line(i)->font());
        EXPECT_EQ(metrics.horizontalAdvance(wide), metrics.horizontalAdvance(narrow)) << i;
        EXPECT_LE(metrics.horizontalAdvance(wide), info->Line(i)->width()) << i;
    }
    std::array<std::string, TInfoBox::kLineCount> lines;
    lines.fill(" ");
    lines[0] = "VOLUME 69-091   FILE 005";
    info->SetHeaderLines(lines);
    EXPECT_EQ(info->Line(0)->text(), "VOLUME 69-091   FILE 005");  // blanks kept
}

}  // namespace

namespace {

// A key given to two commands of one window gives neither: Qt calls it
// ambiguous and runs nothing.
TEST(MainWindow, NoTwoCommandsShareAKey) {
    Browser b;
    QMap<QString, QString> owner;
    for (const QAction* action : b.form->actions())
        for (const QKeySequence& key : action->shortcuts()) {
            const QString text = key.toString();
            EXPECT_FALSE(owner.contains(text)) << text.toStdString() << ": " << owner.value(text).toStdString()
                                               << " and " << action->objectName().toStdString();
            owner.insert(text, action->objectName());
        }
}

}  // namespace
