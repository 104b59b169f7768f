// Save As: the file name chosen, its format, and the write that never leaves
// a half-written file behind.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

enum class SaveFormat { Bmp, Png };

struct SaveTarget {
    QString path;
    SaveFormat format = SaveFormat::Bmp;
};

// A name ending in ".bmp" or ".png" (any letter case) keeps its name and
// decides the format. A name without extension gets the one of the filter
// in force (".bmp" unless the PNG filter is chosen); any other extension is
// kept and written in the filter's format.
SaveTarget ResolveSaveTarget(const QString& typed, const QString& filter);

// Writes the shown picture: `bmpFile` as it stands for BMP, `picture` as
// 8-bit grey for PNG. The data go to a temporary file in the same folder,
// which then replaces the target, so a failed write leaves an existing file
// intact. Returns the reason of a failure, or an empty string.
QString WritePictureFile(const SaveTarget& target, const QByteArray& bmpFile, const QImage& picture);
