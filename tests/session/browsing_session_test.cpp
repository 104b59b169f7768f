// The browsing session without a window: going to any entry of the list, a
// step that fails, and where Save As may write.
#include "session/browsing_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace {

namespace fs = std::filesystem;
using orbalux::BrowsingSession;
using orbalux::Outcome;
using orbalux::PictureFormat;

// A folder of 945-sample pictures RBL_0001.001 ... RBL_000n.001; picture i
// is the grey level 20 i all over.
class Folder {
public:
    explicit Folder(int pictures) {
        orbalux::encoder::HeaderPlan header;
        header.records = 2;
        for (int i = 1; i <= pictures; ++i)
            orbalux::encoder::WriteFile(
                Path(Name(i)), orbalux::encoder::EncodePicture(945, orbalux::GreyImage(945, 702, Level(i)), header));
    }
    static std::string Name(int i) { return "RBL_000" + std::to_string(i) + ".001"; }
    static std::uint8_t Level(int i) { return static_cast<std::uint8_t>(20 * i); }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    std::string Dir() const { return path_.string() + "/"; }

private:
    orbalux::test::ScratchDir scratch_;
    const fs::path& path_ = scratch_.path();
};

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

TEST(BrowsingSession, AFailedStepLeavesThePlaceTheCounterAndThePicture) {
    Folder f(3);
    BrowsingSession s;
    ASSERT_EQ(s.Open(f.Path(Folder::Name(1))), Outcome::Done);
    fs::remove(f.Path(Folder::Name(2)));
    std::ofstream(f.Path(Folder::Name(3))) << "no picture in here";

    EXPECT_EQ(s.Next(), Outcome::Failed);
    ASSERT_TRUE(s.LastError());
    EXPECT_EQ(s.LastError()->file(), f.Path(Folder::Name(2)));
    EXPECT_EQ(s.LastError()->reason(), "No such file or directory");
    EXPECT_EQ(s.FileListPos(), 1);
    EXPECT_EQ(s.CounterText(), "1/3");
    EXPECT_EQ(s.ShownName(), Folder::Name(1));
    EXPECT_EQ(ShownLevel(s), Folder::Level(1));

    // A scan stops at the entry that fails, keeping its direction.
    s.StartScan(orbalux::ScanDirection::Forward);
    EXPECT_EQ(s.ScanStep(), Outcome::Failed);
    EXPECT_FALSE(s.Scanning());
    EXPECT_EQ(s.Direction(), orbalux::ScanDirection::Forward);
    EXPECT_EQ(s.FileListPos(), 1);

    EXPECT_EQ(s.Last(), Outcome::Failed);
    EXPECT_EQ(s.LastError()->reason(), "no picture lines found");
    EXPECT_EQ(s.CounterText(), "1/3");
    EXPECT_EQ(ShownLevel(s), Folder::Level(1));
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
