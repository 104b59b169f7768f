#include "shell/file_filters.h"

const QString kOpenFilter =
    QStringLiteral("Mariner 6 & 7 Image only  (ARESDISC CD-WO) (69_*.0* rbl_*.0* jac_*.0* ed_*.0*)");

QStringList OpenFilterPatterns() {
    return {QStringLiteral("69_*.0*"), QStringLiteral("rbl_*.0*"), QStringLiteral("jac_*.0*"),
            QStringLiteral("ed_*.0*")};
}

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
