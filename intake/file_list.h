// The picture files of a directory, as the browser steps through them and the
// converter takes a directory argument: which names are pictures' names, which
// entries are kept, their order, and where a given name stands among them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orbalux {

// Whether a name (without directory) is a picture file's. The volume's
// pictures are named by a family prefix, their group, a point and three
// digits ("69_011.001", "JAC_224.004"). So a picture file's name
// - begins with "69_", "RBL_", "ED_" or "JAC_", letters in any case, and
// - ends in a point and three digits, after the prefix.
// Whatever follows a picture's own three digits makes a file made from the
// picture, never a picture: a converted copy ("69_011.001.png"), GDAL's side
// files ("69_311.002.aux.xml", ".xml", ".img", ".cub.xml"), a label.
// The MIME type of the picture files (packaging/) states the same rule as
// globs, and a test holds the two together.
bool IsPictureFileName(std::string_view name);
// The family prefixes of that rule, in capitals; the open dialog builds its
// filter from them.
inline constexpr std::array<std::string_view, 4> kPictureNamePrefixes = {"69_", "RBL_", "ED_", "JAC_"};

// Names (without directory) of the regular files in `dir` whose names are
// picture files' names (IsPictureFileName), sorted by byte value.
// Symbolic links count when they lead to a regular file; subdirectories and
// broken links are left out. Names are kept whole, and there is no count limit.
// A directory that cannot be opened, or whose entries cannot be read to their
// end, throws OrbaluxError (ErrorKind::Unlistable) naming it and the reason:
// a list cut short is never passed off as the folder's.
std::vector<std::string> ListPictureFiles(const std::string& dir);

// 1-based position of `currentName` in `list`: the last entry equal to it, as
// it stands or after upper-casing the letters a to z of both; 0 when none is.
int FindListPosition(const std::vector<std::string>& list, const std::string& currentName);

}  // namespace orbalux
