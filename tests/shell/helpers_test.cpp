// The plain rules behind the commands: print placement, the save and open
// dialogs' filters, the command line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "session/command_line.h"
#include "shell/file_filters.h"
#include "session/print_layout.h"

namespace {

TEST(PrintLayout, KeepsProportionsAndFitsThePageLargerOrSmaller) {
    EXPECT_EQ(FitPictureToPage(948, 704, 4800, 6600), (PrintExtent{4800, 3564}));
    EXPECT_EQ(FitPictureToPage(948, 704, 4800, 3000), (PrintExtent{4039, 3000}));
    EXPECT_EQ(FitPictureToPage(948, 704, 900, 1200), (PrintExtent{900, 668}));
    EXPECT_EQ(FitPictureToPage(948, 704, 948, 704), (PrintExtent{948, 704}));
    EXPECT_EQ(FitPictureToPage(1024, 1504, 4800, 6600), (PrintExtent{4493, 6600}));
    EXPECT_EQ(FitPictureToPage(0, 704, 4800, 6600), PrintExtent{});
    EXPECT_EQ(FitPictureToPage(948, 704, 0, 6600), PrintExtent{});
}

TEST(SaveFilters, ThePngEntryChoosesPngAndTheOthersBmp) {
    EXPECT_EQ(SaveFormatOf(kSaveFilterPng), orbalux::PictureFormat::Png);
    EXPECT_EQ(SaveFormatOf(kSaveFilterBitmaps), orbalux::PictureFormat::Bmp);
    EXPECT_EQ(SaveFilterOf(orbalux::PictureFormat::Png), kSaveFilterPng);
}

TEST(OpenFilter, MatchesThePictureNamesInAnyLetterCase) {
    QTemporaryDir dir;
    for (const char* name : {"69_011.001", "RBL_0001.002", "rbl_0002.003", "Jac_224.004", "ED_01.001", "ed_02.011",
                             "RBL_0003.TXT", "notes.001", "69_X"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir listing(dir.path(), QString(), QDir::Name, OpenDialogEntryFilter() & ~QDir::AllDirs);
    listing.setNameFilters(OpenFilterPatterns());
    EXPECT_EQ(listing.entryList(),
              QStringList({"69_011.001", "ED_01.001", "Jac_224.004", "RBL_0001.002", "ed_02.011", "rbl_0002.003"}));
    EXPECT_TRUE(kOpenFilter.startsWith("Mariner 6 & 7 Image only  (ARESDISC CD-WO)"));
}

TEST(CommandLine, OptionalFileHelpVersionAndMistakes) {
    using A = BrowserCommandLine::Action;
    EXPECT_EQ(ParseBrowserCommandLine({}).action, A::Run);
    EXPECT_EQ(ParseBrowserCommandLine({}).file, "");
    EXPECT_EQ(ParseBrowserCommandLine({"/v/69_011.001"}).file, "/v/69_011.001");
    EXPECT_EQ(ParseBrowserCommandLine({"--help"}).action, A::Help);
    EXPECT_EQ(ParseBrowserCommandLine({"x", "-h"}).action, A::Help);
    EXPECT_EQ(ParseBrowserCommandLine({"--version"}).action, A::Version);
    EXPECT_EQ(ParseBrowserCommandLine({"--frobnicate"}).action, A::Error);
    EXPECT_EQ(ParseBrowserCommandLine({"a", "b"}).action, A::Error);
    EXPECT_EQ(ParseBrowserCommandLine({"--", "-odd-name"}).file, "-odd-name");
}

}  // namespace
