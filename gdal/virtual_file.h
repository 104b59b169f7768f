// A picture file read through GDAL's virtual file layer, so that any path GDAL
// opens (/vsizip/, /vsitar/, /vsigzip/, /vsimem/, /vsicurl/, a plain file)
// reaches the load as the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orbalux::gdal {

// At most `limit` bytes from the start of the file at `path` (a longer file
// is cut there, as a load cuts it) into `bytes`, which keeps its memory from
// one read to the next. Throws OrbaluxError naming the path and GDAL's reason
// when the file cannot be opened or read.
void ReadVirtualFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes);

// The picture file's own name in `path`: its last part, without the ".gz" that
// a gzipped copy read through /vsigzip/ adds.
std::string PictureNameOf(const std::string& path);

}  // namespace orbalux::gdal
