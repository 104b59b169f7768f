// The filters of the open and save dialogs.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include "output/picture_writer.h"

// The open dialog's entries: the picture files, by the one rule of what is a
// picture file's name (a family prefix, then anything, then a point and three
// digits), and all files. Volumes mounted on this platform often show their
// names in lower case, others in capitals, so the patterns are matched
// without regard to letter case.
extern const QString kOpenFilter;
extern const QString kOpenFilterAll;
QStringList OpenFilterPatterns();
QStringList OpenFilters();
// Entry filter for the open dialog: files and folders, letter case ignored.
QDir::Filters OpenDialogEntryFilter();

// The save dialog's entries: two for BMP, one for PNG.
extern const QString kSaveFilterBmp;
extern const QString kSaveFilterBitmaps;
extern const QString kSaveFilterPng;
QString SaveFilters();
// The type a save filter chooses, and the filter of a type (the first BMP
// entry for BMP).
orbalux::PictureFormat SaveFormatOf(const QString& filter);
QString SaveFilterOf(orbalux::PictureFormat format);
