// The save and open dialogs' filters.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "intake/file_list.h"
#include "shell/file_filters.h"

namespace {

TEST(SaveFilters, ThePngEntryChoosesPngAndTheOthersBmp) {
    EXPECT_EQ(SaveFormatOf(kSaveFilterPng), orbalux::PictureFormat::Png);
    EXPECT_EQ(SaveFormatOf(kSaveFilterBitmaps), orbalux::PictureFormat::Bmp);
    EXPECT_EQ(SaveFilterOf(orbalux::PictureFormat::Png), kSaveFilterPng);
}

TEST(OpenFilter, MatchesThePictureNamesInAnyLetterCase) {
    QTemporaryDir dir;
    for (const char* name :
         {"69_011.001", "RBL_0001.002", "rbl_0002.003", "Jac_224.004", "ED_01.001", "ed_02.011", "RBL_009.100",
          "RBL_009.498", "69_011.001.png", "69_311.002.aux.xml", "RBL_0003.TXT", "notes.001", "69_X"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir listing(dir.path(), QString(), QDir::Name, OpenDialogEntryFilter() & ~QDir::AllDirs);
    listing.setNameFilters(OpenFilterPatterns());
    // What the list takes, whatever its three digits: the dialog shows it.
    EXPECT_EQ(listing.entryList(), QStringList({"69_011.001", "ED_01.001", "Jac_224.004", "RBL_0001.002", "RBL_009.100",
                                                "RBL_009.498", "ed_02.011", "rbl_0002.003"}));
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_EQ(listing.entryList().contains(name), orbalux::IsPictureFileName(name.toStdString()))
            << name.toStdString();
    EXPECT_TRUE(kOpenFilter.startsWith("Mariner 6 & 7 Image only  (ARESDISC CD-WO)"));
    // And a way to any other file.
    EXPECT_EQ(OpenFilters(), QStringList({kOpenFilter, "All files (*)"}));
}

}  // namespace
