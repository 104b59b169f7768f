#include "session/file_stamp.h"

#include <system_error>

namespace orbalux {

std::optional<FileStamp> StampOf(const std::string& path) {
    std::error_code ec;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    stamp.modified = std::filesystem::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return stamp;
}

}  // namespace orbalux
