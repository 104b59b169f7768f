// Open, the image window, and closing it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/elided_label.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

TEST(Open, CataloguedNameUsesItsRowAndAnUnlistedNameTheDefaults) {
    Volume v;
    v.Write136("69_011.001", 1, 1);
    v.Write945("RBL_0001.001", 2);
    Browser b;

    ASSERT_TRUE(b.open(v.Path("69_011.001")));
    const orbalux::PictureState& s = b.probe().State();
    EXPECT_EQ(s.DataOffset, 482);
    EXPECT_EQ(s.LineFormat, 136);
    EXPECT_EQ(s.ImageWidth, 816);
    EXPECT_EQ(s.ImageHeight, 704);
    EXPECT_EQ(b.shownLevel(0, 0), PatternLevel(0, 0, 1));
    EXPECT_EQ(b.shownLevel(134, 701), PatternLevel(134, 701, 1));
    EXPECT_EQ(b.shownLevel(400, 5), 160);  // the narrow format's grey field
    EXPECT_EQ(b.caption(), "69_011.001");
    EXPECT_EQ(b.counter(), "1/2");

    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(s.DataOffset, 964);
    EXPECT_EQ(s.LineFormat, 945);
    EXPECT_EQ(s.ImageWidth, 948);
    EXPECT_EQ(b.shownLevel(10, 20), PatternLevel(10, 20, 2));
    EXPECT_EQ(b.shownLevel(944, 701), PatternLevel(944, 701, 2));
    EXPECT_EQ(b.shownLevel(946, 703), 0);  // row end and tail rows
    EXPECT_EQ(b.caption(), "RBL_0001.001");
    EXPECT_EQ(b.counter(), "2/2");
    EXPECT_TRUE(b.probe().InfoBox()->Line(0)->text().startsWith("PICTURE 2"));
    b.button("ToolButton29")->click();
    EXPECT_EQ(b.seam.modals, QStringList({"InfoBox"}));
}

TEST(Open, EnablesThePictureCommandsUntilTheWindowCloses) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    v.Write945("RBL_0002.001", 2);
    Browser b;
    b.seam.openAnswers.push_back(QString());  // cancelled: nothing happens
    b.form->Open1Click();
    EXPECT_EQ(b.probe().CurrentChild(), nullptr);

    b.action("Atostretch1")->trigger();
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_FALSE(b.action("Open1")->isEnabled());
    EXPECT_FALSE(b.button("FileOpenBtn")->isEnabled());
    for (const char* name : {"Next1", "Previous1", "SaveAs1", "Print1", "PrintSetup1", "ScanStop1", "Close1", "ZoomIn1",
                             "Stretch1"})
        EXPECT_TRUE(b.action(name)->isEnabled()) << name;
    for (const char* name : {"FileSaveBtn", "ToolButton17", "FileForBtn", "ToolButton9", "ToolButton29"})
        EXPECT_TRUE(b.button(name)->isEnabled()) << name;
    EXPECT_TRUE(b.button("ToolButton13")->isChecked());  // from the menu's Stretch

    b.button("FileForAutoBtn")->click();
    ASSERT_TRUE(b.probe().Timer1()->isActive());
    b.probe().CurrentChild()->close();
    EXPECT_EQ(b.probe().CurrentChild(), nullptr);
    EXPECT_FALSE(b.probe().Timer1()->isActive());
    EXPECT_FALSE(b.button("FileForAutoBtn")->isChecked());
    EXPECT_EQ(b.counter(), "0/0");
    EXPECT_TRUE(b.action("Open1")->isEnabled());
    EXPECT_TRUE(b.button("FileOpenBtn")->isEnabled());
    EXPECT_FALSE(b.action("Next1")->isEnabled());
    EXPECT_FALSE(b.action("ZoomIn1")->isEnabled());
    EXPECT_FALSE(b.button("ToolButton13")->isEnabled());
    EXPECT_EQ(b.probe().State().MenuOptions.Stretch, 1);

    // A new Open builds a new window and proposes the last file shown.
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    EXPECT_EQ(b.seam.openProposals.back(), v.Path("RBL_0001.001"));
    EXPECT_EQ(b.counter(), "2/2");
}

TEST(Open, AnUnreadableFileIsReportedAndChangesNothing) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    QDir(v.Dir()).mkdir("RBL_FOLDER");
    Browser b;

    EXPECT_FALSE(b.open(v.Path("RBL_0009.001")));
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains(v.Path("RBL_0009.001")));
    EXPECT_TRUE(b.seam.errors[0].contains("No such file or directory"));
    EXPECT_EQ(b.probe().CurrentChild(), nullptr);
    EXPECT_TRUE(b.action("Open1")->isEnabled());
    EXPECT_FALSE(b.action("Next1")->isEnabled());
    EXPECT_EQ(b.counter(), "0/0");

    // A folder opens its first picture; this one has none.
    EXPECT_FALSE(b.open(v.Path("RBL_FOLDER")));
    ASSERT_EQ(b.seam.errors.size(), 2);
    EXPECT_TRUE(b.seam.errors[1].contains("no picture files in this folder"));
    EXPECT_EQ(b.probe().CurrentChild(), nullptr);
    EXPECT_TRUE(b.probe().FileList().empty());
}

TEST(Open, ResetsTheScanPauseToTwoSeconds) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    Browser b;
    b.action("N5seconds1")->trigger();
    EXPECT_EQ(b.probe().ScanPause(), 5000);
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(b.probe().ScanPause(), 2000);
    EXPECT_TRUE(b.action("N2seconds1")->isChecked());
    for (const char* name : {"N3seconds1", "N4seconds1", "N5seconds1"}) EXPECT_FALSE(b.action(name)->isChecked());
}

TEST(Open, ListsRegularFilesWithWholeNamesInAnyLetterCase) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    v.Write945("RBL_0002_LONG_NAME.001", 2);
    v.Write945("rbl_0003.001", 3);
    v.Write945("jac_0004.001", 4);
    v.Write945("notes.txt", 5);
    QDir(v.Dir()).mkdir("RBL_0000.DIR");
    Browser b;
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    const std::vector<std::string> expected = {"RBL_0001.001", "RBL_0002_LONG_NAME.001", "jac_0004.001", "rbl_0003.001"};
    EXPECT_EQ(b.probe().FileList(), expected);
    EXPECT_EQ(b.counter(), "1/4");

    // The long name loads its own file, not one of a cut name.
    b.action("Next1")->trigger();
    EXPECT_EQ(b.caption(), "RBL_0002_LONG_NAME.001");
    EXPECT_EQ(b.shownLevel(3, 3), PatternLevel(3, 3, 2));
    b.action("Next1")->trigger();
    b.action("Next1")->trigger();
    EXPECT_EQ(b.caption(), "rbl_0003.001");
    EXPECT_EQ(b.shownLevel(3, 3), PatternLevel(3, 3, 3));
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST(Open, DroppedFileOpensOrReplacesTheShownPictureAndANonPictureIsReported) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    v.Write945("RBL_0002.001", 2);
    {
        QFile text(v.Path("RBL_0003.001"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("a text file under a picture's name\n");
    }
    Browser b;
    auto drop = [&](const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b.form.get(), &enter);
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b.form.get(), &event);
        return enter.isAccepted();
    };
    EXPECT_TRUE(drop(v.Path("RBL_0002.001")));
    ASSERT_NE(b.probe().CurrentChild(), nullptr);
    EXPECT_EQ(b.caption(), "RBL_0002.001");
    b.action("ScanForward1")->trigger();
    EXPECT_TRUE(drop(v.Path("RBL_0001.001")));
    EXPECT_EQ(b.caption(), "RBL_0001.001");
    EXPECT_EQ(b.shownLevel(4, 4), PatternLevel(4, 4, 1));
    EXPECT_EQ(b.counter(), "1/3");
    EXPECT_FALSE(b.probe().Timer1()->isActive());  // a new picture starts without a scan
    EXPECT_EQ(b.form->findChildren<TChild*>().size(), 1);

    // No line of a picture in it: a message, not a black picture.
    EXPECT_TRUE(drop(v.Path("RBL_0003.001")));
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains(v.Path("RBL_0003.001")));
    EXPECT_TRUE(b.seam.errors[0].contains("no picture lines found"));
    EXPECT_EQ(b.caption(), "RBL_0001.001");
    EXPECT_EQ(b.shownLevel(4, 4), PatternLevel(4, 4, 1));
    EXPECT_EQ(b.counter(), "1/3");
}

TEST(Open, LoadWarningsShowInTheStatusBarForTheShownPicture) {
    Volume v;
    v.Write136("69_011.001", 1, 1);
    v.Write136("69_011.002", 2, 2);
    v.Write945("RBL_0001.001", 3);
    {
        // 69_011.002 cut in the middle of its lines.
        QFile cut(v.Path("69_011.002"));
        ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
        ASSERT_TRUE(cut.resize(cut.size() / 2));
    }
    Browser b;
    const auto warning = [&b] { return b.form->findChild<TElidedLabel*>("LoadWarningStatus")->FullText(); };
    ASSERT_TRUE(b.open(v.Path("69_011.001")));
    EXPECT_EQ(warning(), "");
    b.action("Next1")->trigger();
    EXPECT_EQ(b.caption(), "69_011.002");
    const QRegularExpression cut("^ends (\\d+) lines short of the frame$");
    const QRegularExpressionMatch m = cut.match(warning());
    ASSERT_TRUE(m.hasMatch()) << warning().toStdString();
    EXPECT_GT(m.captured(1).toInt(), 0);
    EXPECT_LT(m.captured(1).toInt(), 702);
    b.action("Next1")->trigger();
    EXPECT_EQ(warning(), "not in the catalogue: default parameters used");
    b.probe().CurrentChild()->close();
    EXPECT_EQ(warning(), "");
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST(ImageWindow, ShowsOnePixelPerPixelWithEveryPartWithinReach) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    Browser b;
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    TChild* child = b.probe().CurrentChild();
    child->showNormal();
    child->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(child->Image()->size(), QSize(948, 704));
    EXPECT_EQ(child->Image()->pixmap().size(), QSize(948, 704));

    QScrollArea* scroll = child->ScrollArea();
    const QSize view = scroll->viewport()->size();
    ASSERT_LT(view.height(), 704);
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 704 - view.height());
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 948 - view.width());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    // The picture's last screen row lies at the bottom of the view.
    EXPECT_EQ(child->Image()->mapTo(scroll->viewport(), QPoint(0, 703)).y(), view.height() - 1);

    // A half-size picture keeps the full size on its grey field.
    b.button("ToolButton30")->click();
    EXPECT_EQ(child->Image()->size(), QSize(948, 704));
}

}  // namespace
