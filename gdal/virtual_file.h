// A picture file read through GDAL's virtual file layer, so that any path GDAL
// opens (/vsizip/, /vsitar/, /vsigzip/, /vsimem/, /vsicurl/, a plain file)
// reaches the load as the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orbalux::gdal {

// The start of the file at `path` read into `block`, as much as fills it (a
// longer file is cut there, as a load cuts it); returns the bytes read, the
// rest of the block left as it was. Throws OrbaluxError naming the path and
// GDAL's reason when the file cannot be opened or read.
std::span<const std::uint8_t> ReadVirtualFile(const std::string& path, std::span<std::uint8_t> block);

// The picture file's own name in `path`: its last part, without the ".gz" that
// a gzipped copy read through /vsigzip/ adds.
std::string PictureNameOf(const std::string& path);

}  // namespace orbalux::gdal
