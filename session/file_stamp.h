// What a file was when something was made from it: its size and the time it
// was last written. A thumbnail is good only while its file still has the
// stamp it was made from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orbalux {

struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` as it is now; nothing when it is not there
// or cannot be looked at.
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace orbalux
