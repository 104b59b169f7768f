// The thumbnails made in this run, by path, each with the stamp of the file it
// was made from. One is given out only while the file still bears that stamp:
// a file emptied, rewritten or deleted since is made again.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "session/file_stamp.h"

namespace orbalux {

template <class Made>
class ThumbnailCache {
public:
    // `stamp` is the file's as it was read for `made` (nothing: not there).
    void Put(const std::string& path, std::optional<FileStamp> stamp, Made made) {
        entries_[path] = Entry{stamp, std::move(made)};
    }
    // What is held for `path`, without looking at the file again.
    const Made* Find(const std::string& path) const {
        const auto it = entries_.find(path);
        return it == entries_.end() ? nullptr : &it->second.made;
    }
    // Whether what is held was made from the file as it is now; a stale entry
    // is dropped.
    bool Fresh(const std::string& path) {
        const auto it = entries_.find(path);
        if (it == entries_.end()) return false;
        if (it->second.stamp == StampOf(path)) return true;
        entries_.erase(it);
        return false;
    }

private:
    struct Entry {
        std::optional<FileStamp> stamp;
        Made made;
    };
    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace orbalux
