// The browsing session without a window: going to any entry of the list, a
// step that fails, and where Save As may write.
#include "session/browsing_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/encoded_pictures.h"
#include "tools/scratch/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using orbalux::BrowsingSession;
using orbalux::Outcome;
using orbalux::PictureFormat;

using Folder = orbalux::test::FlatPictureFolder;

// The grey level at the first pixel of the shown picture.
int ShownLevel(const BrowsingSession& s) { return s.State().BitmapBuffer[54]; }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(BrowsingSession, GoesToAnyEntryAndStaysPutOffTheList) {
    Folder f(4);
    BrowsingSession s;
    EXPECT_EQ(s.GoTo(1), Outcome::Unchanged);  // nothing open, nothing to step in
    ASSERT_EQ(s.Open(f.Path(Folder::Name(2))), Outcome::Done);
    EXPECT_EQ(s.CounterText(), "2/4");
    EXPECT_EQ(s.Folder(), f.Dir());

    EXPECT_EQ(s.Last(), Outcome::Done);
    EXPECT_EQ(s.CounterText(), "4/4");
    EXPECT_EQ(ShownLevel(s), Folder::Level(4));
    EXPECT_EQ(s.Next(), Outcome::Unchanged);
    EXPECT_EQ(s.Last(), Outcome::Unchanged);
    EXPECT_EQ(s.First(), Outcome::Done);
    EXPECT_EQ(s.ShownName(), Folder::Name(1));
    EXPECT_EQ(s.Previous(), Outcome::Unchanged);
    EXPECT_EQ(s.GoTo(3), Outcome::Done);
    EXPECT_EQ(s.FileListPos(), 3);
    EXPECT_EQ(ShownLevel(s), Folder::Level(3));
    for (int off : {0, 5, -1}) EXPECT_EQ(s.GoTo(off), Outcome::Unchanged) << off;
    EXPECT_EQ(s.CounterText(), "3/4");

    s.Close();
    EXPECT_EQ(s.CounterText(), "0/0");
    EXPECT_EQ(s.GoTo(1), Outcome::Unchanged);
    EXPECT_EQ(s.FileListCount(), 4);  // the list stays for the next open dialog
}

TEST(BrowsingSession, AStepToABadEntryMovesThePlaceThereAndTheNextStepGoesOnPastIt) {
    Folder f(4);
    BrowsingSession s;
    ASSERT_EQ(s.Open(f.Path(Folder::Name(1))), Outcome::Done);
    fs::remove(f.Path(Folder::Name(2)));
    std::ofstream(f.Path(Folder::Name(3)), std::ios::trunc).close();  // emptied

    EXPECT_EQ(s.Next(), Outcome::BadEntry);
    ASSERT_TRUE(s.EntryFailure());
    EXPECT_EQ(s.EntryFailure()->file(), f.Path(Folder::Name(2)));
    EXPECT_EQ(s.EntryFailure()->reason(), "No such file or directory");
    EXPECT_EQ(s.CounterText(), "2/4");
    EXPECT_EQ(s.ShownName(), Folder::Name(2));
    // No picture goes with the entry: the picture commands have none to work on.
    EXPECT_TRUE(s.PictureShown());
    EXPECT_FALSE(s.PictureUsable());
    EXPECT_EQ(s.StepLevel(&orbalux::PictureState::BrightnessLevel, 1), Outcome::Unchanged);
    EXPECT_EQ(s.ShowOriginal(), Outcome::Unchanged);

    EXPECT_EQ(s.Next(), Outcome::BadEntry);
    EXPECT_EQ(s.EntryFailure()->reason(), "no picture lines found");
    EXPECT_EQ(s.CounterText(), "3/4");
    EXPECT_EQ(s.Next(), Outcome::Done);
    EXPECT_FALSE(s.EntryFailure());
    EXPECT_TRUE(s.PictureUsable());
    EXPECT_EQ(s.CounterText(), "4/4");
    EXPECT_EQ(ShownLevel(s), Folder::Level(4));
    EXPECT_EQ(s.Previous(), Outcome::BadEntry);
    EXPECT_EQ(s.CounterText(), "3/4");
}

TEST(BrowsingSession, TheScanPassesOverBadEntriesAndStopsWhenNoneLeftLoads) {
    Folder f(5);
    BrowsingSession s;
    ASSERT_EQ(s.Open(f.Path(Folder::Name(1))), Outcome::Done);
    fs::remove(f.Path(Folder::Name(2)));
    std::ofstream(f.Path(Folder::Name(3)), std::ios::trunc).close();
    std::ofstream(f.Path(Folder::Name(5))) << "no picture in here";

    s.StartScan(orbalux::ScanDirection::Forward);
    EXPECT_EQ(s.ScanStep(), Outcome::Done);
    EXPECT_EQ(s.CounterText(), "4/5");
    EXPECT_EQ(ShownLevel(s), Folder::Level(4));
    ASSERT_EQ(s.Skipped().size(), 2u);
    EXPECT_EQ(s.Skipped()[0].file(), f.Path(Folder::Name(2)));
    EXPECT_EQ(s.Skipped()[1].reason(), "no picture lines found");
    EXPECT_TRUE(s.Scanning());

    // Only a bad entry is left: the scan stops on the last picture that
    // loaded, and names the entry it could not show.
    EXPECT_EQ(s.ScanStep(), Outcome::Unchanged);
    ASSERT_EQ(s.Skipped().size(), 1u);
    EXPECT_EQ(s.Skipped()[0].file(), f.Path(Folder::Name(5)));
    EXPECT_EQ(s.CounterText(), "4/5");
    EXPECT_EQ(s.ShownName(), Folder::Name(4));
    EXPECT_EQ(ShownLevel(s), Folder::Level(4));
    EXPECT_FALSE(s.EntryFailure());
    EXPECT_TRUE(s.PictureUsable());
    EXPECT_FALSE(s.Scanning());
    EXPECT_EQ(s.Direction(), orbalux::ScanDirection::Forward);

    // Backward, over two bad entries, to the first picture.
    s.StartScan(orbalux::ScanDirection::Backward);
    EXPECT_EQ(s.ScanStep(), Outcome::Done);
    EXPECT_EQ(s.CounterText(), "1/5");
    EXPECT_EQ(s.Skipped().size(), 2u);
    EXPECT_EQ(s.ScanStep(), Outcome::Unchanged);
    EXPECT_FALSE(s.Scanning());
    EXPECT_EQ(s.GoTo(4), Outcome::Done);
    EXPECT_TRUE(s.Skipped().empty());  // named once, by the step that passed them
}

TEST(BrowsingSession, TheListFollowsTheFolderAndAGoneShownEntryStaysUntilThePlaceMoves) {
    Folder f(3);
    BrowsingSession s;
    ASSERT_EQ(s.Open(f.Path(Folder::Name(2))), Outcome::Done);
    EXPECT_FALSE(s.RefreshList());  // nothing changed

    Folder::Write(f.Path("RBL_0000.001"), 9);
    EXPECT_TRUE(s.RefreshList());
    EXPECT_EQ(s.CounterText(), "3/4");

    fs::remove(f.Path(Folder::Name(2)));
    EXPECT_FALSE(s.RefreshList());  // the shown entry is kept while shown
    EXPECT_EQ(s.CounterText(), "3/4");
    EXPECT_EQ(ShownLevel(s), Folder::Level(2));
    EXPECT_EQ(s.Next(), Outcome::Done);
    EXPECT_EQ(s.ShownName(), Folder::Name(3));
    EXPECT_EQ(s.CounterText(), "3/3");
    EXPECT_EQ(s.FileList(), (std::vector<std::string>{"RBL_0000.001", Folder::Name(1), Folder::Name(3)}));
}

TEST(BrowsingSession, SaveProposesTheLastPlaceAndTypeAndNeverWritesOverAListedPicture) {
    Folder f(2);
    Folder elsewhere(0);
    BrowsingSession s;
    ASSERT_EQ(s.Open(f.Path(Folder::Name(1))), Outcome::Done);
    EXPECT_EQ(s.ProposedSavePath(), f.Path(Folder::Name(1) + ".bmp"));

    ASSERT_EQ(s.SavePicture({elsewhere.Path("copy.png"), PictureFormat::Png}), Outcome::Done);
    EXPECT_EQ(ReadAll(elsewhere.Path("copy.png")).substr(1, 3), "PNG");
    ASSERT_EQ(s.Next(), Outcome::Done);
    EXPECT_EQ(s.ProposedSavePath(), elsewhere.Path(Folder::Name(2) + ".png"));

    // A listed picture, by its own name or through a link, is never written.
    const std::string listed = f.Path(Folder::Name(1));
    const std::string before = ReadAll(listed);
    fs::create_symlink(listed, elsewhere.Path("link.bmp"));
    for (const std::string& path : {listed, elsewhere.Path("link.bmp")}) {
        EXPECT_TRUE(s.IsListedPicture(path)) << path;
        EXPECT_EQ(s.SavePicture({path, PictureFormat::Bmp}), Outcome::Failed) << path;
        ASSERT_TRUE(s.LastError());
        EXPECT_EQ(s.LastError()->file(), path);
    }
    EXPECT_EQ(ReadAll(listed), before);
    EXPECT_FALSE(s.IsListedPicture(elsewhere.Path(Folder::Name(1))));  // not there
    EXPECT_FALSE(s.IsListedPicture(elsewhere.Path("copy.png")));
    // A failed save does not move the proposal.
    EXPECT_EQ(s.ProposedSavePath(), elsewhere.Path(Folder::Name(2) + ".png"));
}

}  // namespace

namespace {

TEST(BrowsingSession, AFolderOpensTheFirstEntryOfItsListThatLoads) {
    Folder f(3);
    // Before the pictures in byte order: a subfolder with a picture's name
    // (not listed) and a file without a picture line (listed).
    fs::create_directory(f.Path("RBL_0000.001"));
    std::ofstream(f.Path("RBL_0000.002")) << "no picture";
    BrowsingSession s;
    for (const std::string& folder : {f.Dir(), f.Dir().substr(0, f.Dir().size() - 1)}) {
        ASSERT_EQ(s.Open(folder), Outcome::Done) << folder;
        EXPECT_EQ(s.ShownName(), Folder::Name(1));
        EXPECT_EQ(s.CounterText(), "2/4");
        EXPECT_EQ(s.Folder(), f.Dir());
        EXPECT_EQ(ShownLevel(s), Folder::Level(1));
    }

    // A folder with no picture to show fails, and the shown one stays.
    orbalux::test::ScratchFolder empty;
    std::ofstream(empty / "notes.txt") << "no picture";
    EXPECT_EQ(s.Open(empty.path().string()), Outcome::Failed);
    ASSERT_TRUE(s.LastError());
    EXPECT_EQ(s.LastError()->kind(), orbalux::ErrorKind::NotAPicture);
    EXPECT_EQ(s.ShownName(), Folder::Name(1));
}

}  // namespace
