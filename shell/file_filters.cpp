// The open and save dialogs' filters.
#include "shell/file_filters.h"

#include <string_view>

#include "intake/file_list.h"

QStringList OpenFilterPatterns() {
    QStringList patterns;
    for (const std::string_view prefix : orbalux::kPictureNamePrefixes)
        patterns << QString::fromLatin1(prefix.data(), static_cast<qsizetype>(prefix.size())).toLower() +
                        QStringLiteral("*.[0-9][0-9][0-9]");
    return patterns;
}

const QString kOpenFilter =
    QStringLiteral("Mariner 6 & 7 Image only  (ARESDISC CD-WO) (%1)").arg(OpenFilterPatterns().join(' '));
const QString kOpenFilterAll = QStringLiteral("All files (*)");

QStringList OpenFilters() { return {kOpenFilter, kOpenFilterAll}; }

QDir::Filters OpenDialogEntryFilter() {
    // Without QDir::CaseSensitive the name patterns ignore letter case.
    return QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot;
}

const QString kSaveFilterBmp = QStringLiteral("*.bmp (*.bmp)");
const QString kSaveFilterBitmaps = QStringLiteral("Bitmaps (*.bmp)");
const QString kSaveFilterPng = QStringLiteral("PNG images (*.png)");

QString SaveFilters() { return kSaveFilterBmp + ";;" + kSaveFilterBitmaps + ";;" + kSaveFilterPng; }

orbalux::PictureFormat SaveFormatOf(const QString& filter) {
    return filter == kSaveFilterPng ? orbalux::PictureFormat::Png : orbalux::PictureFormat::Bmp;
}

QString SaveFilterOf(orbalux::PictureFormat format) {
    return format == orbalux::PictureFormat::Png ? kSaveFilterPng : kSaveFilterBmp;
}
