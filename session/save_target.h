// Save As: the file a typed name becomes, and its format. The content always
// matches the extension, and a picture file of the volume is never taken for
// an output: only names ending ".bmp" or ".png" are written.
#pragma once

#include <string>
#include <string_view>

#include "output/picture_writer.h"

namespace orbalux {

struct SaveTarget {
    std::string path;
    PictureFormat format = PictureFormat::Bmp;
};

// "bmp" or "png".
std::string_view SaveExtension(PictureFormat format);

// A name ending in ".bmp" or ".png" (any letter case) keeps its name and
// decides the format. Any other name, with or without an extension of its
// own ("69_011.003", "test.jpg"), gets the extension of the type chosen in
// the dialog added ("69_011.003.bmp"); a trailing dot is not doubled.
SaveTarget ResolveSaveTarget(const std::string& typed, PictureFormat chosen);

}  // namespace orbalux
