// The save and open dialogs' filters.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/file_filters.h"

namespace {

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

}  // namespace
