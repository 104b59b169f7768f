// The thumbnail strip in the real window: the list in order, the highlight
// following the shown picture, a click loading an entry, the mark of a file
// that is no picture, the entries in view made first, the thumbnails kept
// from one Open to the next, and the View menu's switch remembered.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QThread>

#include "shell/MDIChild.h"
#include "shell/thumbnail_strip.h"
#include "test_volume.h"
#include "tools/encoder/picture_encoder.h"

namespace {

using shelltest::Browser;
using shelltest::Volume;

// Runs the event loop until `done` holds; false after 30 seconds.
bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 30000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

struct Strip : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        for (int i = 1; i <= 6; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
        // A file of the list without a single picture line.
        orbalux::encoder::WriteFile(v.Path("RBL_0004.001").toStdString(), std::vector<std::uint8_t>(5000, 0x3F));
    }
    TThumbnailStrip* strip() const { return b.form->ThumbnailStrip(); }
    QListView* view() const { return strip()->View(); }
    bool allReady() const {
        return WaitFor([this] { return strip()->ReadyCount() == b.form->FileListCount(); });
    }
    int selectedRow() const {
        const QModelIndexList rows = view()->selectionModel()->selectedIndexes();
        return rows.size() == 1 ? rows.front().row() : -1;
    }
    void click(int row) {
        const QPoint at = view()->visualRect(view()->model()->index(row, 0)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, view()->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view()->viewport(), &event);
        }
    }
};

TEST_F(Strip, EveryEntryInListOrderAndAMarkForAFileThatIsNoPicture) {
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    ASSERT_EQ(view()->model()->rowCount(), 6);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(view()->model()->index(row, 0).data().toString(),
                  QString::fromStdString(b.probe().FileList()[static_cast<std::size_t>(row)]));
    ASSERT_TRUE(allReady());
    for (int position : {1, 2, 3, 5, 6}) EXPECT_EQ(strip()->EntryMark(position), TThumbnailStrip::Mark::Made);
    EXPECT_EQ(strip()->EntryMark(4), TThumbnailStrip::Mark::Failed);
    EXPECT_EQ(strip()->EntryFailure(4), "no picture lines found");
    EXPECT_TRUE(view()->model()->index(3, 0).data(Qt::ToolTipRole).toString().contains("no picture lines found"));
    // A made thumbnail is the picture, 96 wide in the proportions of its 945
    // columns of samples by 704 rows (the three columns after the samples
    // left out), in the middle of its square.
    const QImage cell = view()->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(96, 96).toImage();
    ASSERT_EQ(cell.size(), QSize(96, 96));
    EXPECT_EQ(qAlpha(cell.pixel(50, 11)), 0);
    EXPECT_EQ(qAlpha(cell.pixel(50, 12)), 255);
    EXPECT_EQ(qAlpha(cell.pixel(50, 83)), 255);
    EXPECT_EQ(qAlpha(cell.pixel(50, 84)), 0);
}

TEST_F(Strip, HighlightFollowsTheShownPictureAndAClickLoadsAsNextWould) {
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    EXPECT_EQ(selectedRow(), 1);
    b.action("Next1")->trigger();
    EXPECT_EQ(selectedRow(), 2);

    click(5);
    EXPECT_EQ(b.caption(), "RBL_0006.001");
    EXPECT_EQ(b.counter(), "6/6");
    EXPECT_EQ(selectedRow(), 5);
    EXPECT_EQ(b.shownLevel(7, 7), shelltest::PatternLevel(7, 7, 6));

    // The entry that is no picture: framed, with its reason in the window.
    click(3);
    EXPECT_TRUE(b.seam.errors.isEmpty());
    EXPECT_EQ(b.caption(), "RBL_0004.001");
    EXPECT_TRUE(b.probe().CurrentChild()->ShowsFailure());
    EXPECT_EQ(selectedRow(), 3);

    // No picture shown: nothing lit, and a click opens the entry.
    b.probe().CurrentChild()->close();
    EXPECT_EQ(selectedRow(), -1);
    click(0);
    EXPECT_EQ(b.caption(), "RBL_0001.001");
    EXPECT_EQ(b.counter(), "1/6");
    EXPECT_EQ(selectedRow(), 0);
}

TEST_F(Strip, ThumbnailsAreMadeOncePerRunAndTheShownOneIsKeptInView) {
    for (int i = 10; i <= 39; ++i) v.Write945("RBL_00" + std::to_string(i) + ".001", i);
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    ASSERT_TRUE(allReady());
    const int made = strip()->MadeCount();
    EXPECT_EQ(made, 36);

    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path("RBL_0039.001")));
    EXPECT_EQ(strip()->ReadyCount(), 36);  // at once, from what was made before
    EXPECT_EQ(strip()->MadeCount(), made);
    // The last entry, far right of a strip narrower than the list, is in view.
    const QRect cell = view()->visualRect(view()->model()->index(35, 0));
    EXPECT_TRUE(view()->viewport()->rect().contains(cell.center())) << cell.x();
}

TEST_F(Strip, TheListCounterAndStripFollowTheFolderWithinASecond) {
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    ASSERT_TRUE(allReady());
    QElapsedTimer clock;
    clock.start();
    v.Write945("RBL_0000.001", 9);
    ASSERT_TRUE(WaitFor([this] { return b.counter() == "3/7"; }));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(view()->model()->rowCount(), 7);

    // A file emptied in place loses its thumbnail for the mark of a bad entry.
    ASSERT_TRUE(strip()->EntryMark(4) == TThumbnailStrip::Mark::Made);
    QFile(v.Path("RBL_0003.001")).resize(0);
    ASSERT_TRUE(WaitFor([this] { return strip()->EntryMark(4) == TThumbnailStrip::Mark::Failed; }));

    // The shown file deleted: its picture stays until the user moves.
    ASSERT_TRUE(QFile::remove(v.Path("RBL_0002.001")));
    ASSERT_TRUE(QFile::remove(v.Path("RBL_0006.001")));
    ASSERT_TRUE(WaitFor([this] { return b.counter() == "3/6"; }));
    EXPECT_EQ(b.caption(), "RBL_0002.001");
    EXPECT_EQ(b.shownLevel(7, 7), shelltest::PatternLevel(7, 7, 2));
    b.action("Previous1")->trigger();
    EXPECT_EQ(b.counter(), "2/5");
}

TEST_F(Strip, AFolderWhoseNameIsNotUtf8IsListedAndFollowed) {
    // "café" in Latin-1: its last byte is no UTF-8, so Qt's name for it is not its name.
    namespace fs = std::filesystem;
    const std::string folder = v.Dir().toStdString() + "/caf\xe9/";
    ASSERT_TRUE(fs::create_directory(folder));
    for (const char* name : {"RBL_0001.001", "RBL_0002.001", "RBL_0003.001"})
        fs::rename(v.Path(name).toStdString(), folder + name);
    ASSERT_TRUE(b.form->OpenPath(QFile::decodeName(QByteArray::fromStdString(folder + "RBL_0002.001"))));
    EXPECT_EQ(b.counter(), "2/3");
    EXPECT_EQ(view()->model()->rowCount(), 3);

    fs::copy_file(folder + "RBL_0001.001", folder + "RBL_0000.001");
    EXPECT_TRUE(WaitFor([this] { return b.counter() == "3/4"; })) << b.counter().toStdString();
    EXPECT_EQ(view()->model()->rowCount(), 4);
    fs::remove(folder + "RBL_0003.001");
    EXPECT_TRUE(WaitFor([this] { return b.counter() == "3/3"; })) << b.counter().toStdString();
    EXPECT_EQ(view()->model()->rowCount(), 3);

    // Save As proposes a folder its dialog can open (not one Qt cannot
    // name, which it would replace by the parent), and the name taken as
    // proposed is written into the folder itself.
    b.action("SaveAs1")->trigger();  // cancelled: no answer
    ASSERT_EQ(b.seam.saveProposals.size(), 1);
    const QString proposed = b.seam.saveProposals.front();
    EXPECT_TRUE(QFileInfo(proposed).dir().exists()) << proposed.toStdString();
    b.seam.saveAnswers.push_back(SaveChoice{proposed, b.seam.saveFilters.front()});
    b.action("SaveAs1")->trigger();
    EXPECT_TRUE(b.seam.errors.isEmpty()) << b.seam.errors.join("\n").toStdString();
    EXPECT_TRUE(fs::is_regular_file(folder + "RBL_0002.001.bmp"));
    fs::remove_all(folder);  // by its bytes: the scratch folder's removal cannot name it
}

TEST_F(Strip, AfterTheShownFileIsDeletedAStepRedrawsTheListAndAClickOpensTheNameItShows) {
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    ASSERT_TRUE(QFile::remove(v.Path("RBL_0002.001")));
    ASSERT_TRUE(QFile::remove(v.Path("RBL_0006.001")));
    ASSERT_TRUE(WaitFor([this] { return b.counter() == "2/5"; }));
    // Stepping off the deleted entry drops it from the list: so from the strip.
    b.action("Next1")->trigger();
    EXPECT_EQ(b.caption(), "RBL_0003.001");
    const std::vector<std::string>& list = b.probe().FileList();
    ASSERT_EQ(list.size(), 4u);
    ASSERT_EQ(view()->model()->rowCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(view()->model()->index(row, 0).data().toString(),
                  QString::fromStdString(list[static_cast<std::size_t>(row)]));
    EXPECT_EQ(selectedRow(), 1);
    for (int row : {2, 0, 3}) {
        const QString label = view()->model()->index(row, 0).data().toString();
        click(row);
        EXPECT_EQ(b.caption(), label);
        EXPECT_EQ(selectedRow(), row);
    }
    EXPECT_EQ(b.shownLevel(7, 7), shelltest::PatternLevel(7, 7, 5));
    // The file that is no picture keeps its own mark, and no other gets it.
    EXPECT_EQ(strip()->EntryMark(3), TThumbnailStrip::Mark::Failed);
    ASSERT_TRUE(allReady());
    for (int position : {1, 2, 4}) EXPECT_EQ(strip()->EntryMark(position), TThumbnailStrip::Mark::Made);
}

TEST_F(Strip, TheShownEntryIsKeptInViewFromAFreshStartDeepInALongListThroughEverySizeAndSide) {
    // 402 entries after the fixture's six: empty files, but for the one opened.
    for (int i = 1001; i <= 1402; ++i) QFile(v.Path("RBL_" + std::to_string(i) + ".001")).open(QIODevice::WriteOnly);
    v.Write945("RBL_1309.001", 3);
    ScriptedSeam seam;
    TMainForm form(seam);
    // Opened before the window is first laid out, as from the command line.
    form.resize(900, 700);
    ASSERT_TRUE(form.OpenPath(v.Path("RBL_1309.001")));
    ASSERT_EQ(form.FileListPos(), 315);
    form.show();
    QListView* view = form.ThumbnailStrip()->View();
    const auto shownInView = [view] {
        QCoreApplication::processEvents();
        const QModelIndexList rows = view->selectionModel()->selectedIndexes();
        return rows.size() == 1 && rows.front().row() == 314 &&
               view->viewport()->rect().contains(view->visualRect(rows.front()).center());
    };
    EXPECT_TRUE(WaitFor(shownInView)) << "fresh start";
    // The strip scrolled away by hand comes back on each change of size or side.
    const auto scrollAway = [view] {
        view->horizontalScrollBar()->setValue(0);
        view->verticalScrollBar()->setValue(0);
    };
    scrollAway();
    form.resize(1400, 900);
    EXPECT_TRUE(WaitFor(shownInView)) << "window enlarged";
    scrollAway();
    form.resizeDocks({form.ThumbnailStrip()}, {60}, Qt::Vertical);
    EXPECT_TRUE(WaitFor(shownInView)) << "strip made smaller";
    scrollAway();
    form.addDockWidget(Qt::RightDockWidgetArea, form.ThumbnailStrip());
    EXPECT_TRUE(WaitFor(shownInView)) << "docked at the right";
    form.addDockWidget(Qt::BottomDockWidgetArea, form.ThumbnailStrip());
    // An entry chosen with the strip at the bottom again.
    form.GoToEntry(400);
    EXPECT_TRUE(WaitFor([view] {
        QCoreApplication::processEvents();
        return view->viewport()->rect().contains(view->visualRect(view->model()->index(399, 0)).center());
    }));
}

TEST(StripLabels, NamesThatDifferInTheMiddleKeepDifferentLabelsAtTheSmallestSize) {
    // The volume's names share their family prefix; the group and the number
    // after it tell them apart.
    const std::vector<std::string> names = {"69_301.001", "69_311.001"};
    TThumbnailStrip alone(nullptr, 1);
    QFont large = alone.View()->font();
    large.setPixelSize(13);  // a common desktop font: the names no longer fit whole
    alone.View()->setFont(large);
    alone.resize(600, 60);
    alone.SetList("/nowhere/", names);
    alone.show();
    ASSERT_TRUE(WaitFor([&] { return alone.ThumbnailSide() == TThumbnailStrip::kSmallestSize; }));
    QCoreApplication::processEvents();
    QListView* view = alone.View();
    const QRect first = view->visualRect(view->model()->index(0, 0));
    ASSERT_LT(first.width(), QFontMetrics(large).horizontalAdvance("69_301.001"));
    ASSERT_TRUE(WaitFor([&] { return alone.ReadyCount() == 2; }));  // the same mark on both
    QCoreApplication::processEvents();
    const QImage a = view->viewport()->grab(first).toImage();
    const QImage b = view->viewport()->grab(view->visualRect(view->model()->index(1, 0))).toImage();
    EXPECT_NE(a, b) << "the two labels read the same";
    EXPECT_TRUE(view->model()->index(1, 0).data(Qt::ToolTipRole).toString().contains("69_311.001"));  // whole
}

TEST_F(Strip, TheEntriesInViewAreMadeFirst) {
    std::vector<std::string> names;
    for (int i = 10; i <= 39; ++i) {
        names.push_back("RBL_00" + std::to_string(i) + ".001");
        v.Write945(names.back(), i);
    }
    TThumbnailStrip alone(nullptr, 1);
    alone.resize(600, 200);
    std::vector<int> arrived;
    QObject::connect(&alone, &TThumbnailStrip::entryReady, [&arrived](int position) { arrived.push_back(position); });
    alone.SetList(v.Dir().toStdString() + "/", names);
    alone.SetCurrent(25);
    alone.show();  // nothing is made before the strip is seen
    ASSERT_TRUE(WaitFor([&] { return alone.ReadyCount() == 30; }));
    std::vector<int> inView;
    for (int row = 0; row < 30; ++row)
        if (alone.View()->visualRect(alone.View()->model()->index(row, 0)).intersects(alone.View()->viewport()->rect()))
            inView.push_back(row + 1);
    ASSERT_GE(inView.size(), 3u);
    EXPECT_TRUE(std::find(inView.begin(), inView.end(), 25) != inView.end());
    EXPECT_EQ(std::vector<int>(arrived.begin(), arrived.begin() + static_cast<long>(inView.size())), inView);
}

TEST_F(Strip, TheViewMenuSwitchIsRememberedForTheNextRun) {
    ASSERT_TRUE(b.action("Thumbnails1")->isChecked());
    EXPECT_TRUE(strip()->isVisible());
    b.action("Thumbnails1")->trigger();
    EXPECT_FALSE(strip()->isVisible());
    {
        Browser next;
        EXPECT_FALSE(next.action("Thumbnails1")->isChecked());
        EXPECT_FALSE(next.form->ThumbnailStrip()->isVisible());
    }
    b.action("Thumbnails1")->trigger();
    EXPECT_TRUE(strip()->isVisible());
    Browser again;
    EXPECT_TRUE(again.form->ThumbnailStrip()->isVisible());
}

}  // namespace

namespace {

TEST(StripExtent, TheHeightTheUserLeftComesBackOnTheNextRun) {
    // A run that starts in a small window, then is given a large one, as a
    // window is shown and then maximised.
    const auto restart = [](ScriptedSeam& seam) {
        auto form = std::make_unique<TMainForm>(seam);
        form->show();
        QCoreApplication::processEvents();
        form->resize(1000, 1000);
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        return form;
    };
    // The user drags the strip's top edge by `by` pixels (up: higher).
    const auto drag = [](QMainWindow& form, int by) {
        const QPoint edge(form.width() / 2, form.findChild<TThumbnailStrip*>()->geometry().top() - 2);
        QTest::mouseMove(&form, edge);
        QTest::mousePress(&form, Qt::LeftButton, {}, edge);
        QTest::mouseMove(&form, edge - QPoint(0, by));
        QTest::qWait(20);  // the window moves the edge on a timer
        QTest::mouseRelease(&form, Qt::LeftButton, {}, edge - QPoint(0, by));
        QCoreApplication::processEvents();
    };
    ScriptedSeam seam;
    int largest = 0;
    {
        auto form = restart(seam);
        // Dragged as high as it goes: full-sized thumbnails with their names.
        drag(*form, 300);
        ASSERT_TRUE(
            WaitFor([&] { return form->ThumbnailStrip()->ThumbnailSide() == TThumbnailStrip::kThumbnailSize; }));
        largest = form->ThumbnailStrip()->height();
    }
    for (int extent : {largest, largest - 20}) {
        auto form = restart(seam);
        EXPECT_EQ(form->ThumbnailStrip()->height(), extent);
        drag(*form, -20);
        ASSERT_EQ(form->ThumbnailStrip()->height(), extent - 20);
    }
    auto form = restart(seam);
    EXPECT_EQ(form->ThumbnailStrip()->height(), largest - 40);
    // A window too small for it: the strip gives way, and comes back.
    form->resize(1000, 500);
    QCoreApplication::processEvents();
    EXPECT_LT(form->ThumbnailStrip()->height(), largest - 40);
    form->resize(1000, 1000);
    EXPECT_TRUE(WaitFor([&] { return form->ThumbnailStrip()->height() == largest - 40; }));
}

}  // namespace
