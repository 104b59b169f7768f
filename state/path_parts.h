// A path split at its last slash into the folder and the file name. Names on
// the volume are bytes: only '/' separates, and nothing else is read into them.
#pragma once

#include <string_view>

namespace orbalux {

// "v/69_311/69_311.002" gives "69_311.002"; a bare name is its own; a path
// ending in '/' names no file and gives "".
inline std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// "v/69_311/69_311.002" gives "v/69_311/", the slash kept, so that folder and
// name join again by plain concatenation; a bare name gives "".
inline std::string_view FolderPartOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

}  // namespace orbalux
