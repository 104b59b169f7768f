// Reading a picture file whole into FileBuffer.
#pragma once

#include <string>

#include "intake/picture_state.h"

namespace orbalux {

constexpr long long kMaxFileBytes = 2'100'000;  // a longer file is cut here

// Reads at most 2,100,000 bytes of the file at `path` into a fresh, zero-filled
// FileBuffer and allocates a zero-filled BitmapBuffer. A file that cannot be
// opened or read (missing, a directory, no permission, an I/O error) throws
// OrbaluxError naming the file and the system's reason, and leaves the state
// as it was.
void ReadPictureFile(PictureState& state, const std::string& path);

// The name part of a path (what follows the last '/').
std::string FileNamePart(const std::string& path);
// The directory part of a path, ending with '/' (empty when the path has none).
std::string DirectoryPart(const std::string& path);

}  // namespace orbalux
