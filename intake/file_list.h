// The picture files of a directory, as the browser steps through them and the
// converter takes a directory argument: which entries are kept, their order,
// and where a given name stands among them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbalux {

// Whether a name (without directory) is a picture file's: it begins with
// "69_", "RBL_", "ED_" or "JAC_" and does not end in ".png", ".bmp", ".tif",
// ".tiff", ".fits", ".jpg", ".txt" or ".lbl", letters in any case.
bool IsPictureFileName(std::string_view name);

// Names (without directory) of the regular files in `dir` whose names are
// picture files' names (IsPictureFileName), sorted by byte value.
// Symbolic links count when they lead to a regular file; subdirectories and
// broken links are left out. Names are kept whole, and there is no count limit.
// A directory that cannot be read gives an empty list.
std::vector<std::string> ListPictureFiles(const std::string& dir);

// 1-based position of `currentName` in `list`: the last entry equal to it, as
// it stands or after upper-casing the letters a to z of both; 0 when none is.
int FindListPosition(const std::vector<std::string>& list, const std::string& currentName);

}  // namespace orbalux
