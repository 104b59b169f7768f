// An output file that appears whole or not at all: it is written under a
// temporary name in its own folder and renamed over the final name only when
// every byte is out. On any failure the temporary file is removed and a file
// already at the final name stays as it was.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace orbalux {

class AtomicOutputFile {
public:
    // Creates the temporary file. Throws OrbaluxError naming the path and
    // the system's reason.
    explicit AtomicOutputFile(std::string path);
    ~AtomicOutputFile();  // removes the temporary file unless committed
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    std::FILE* stream() { return stream_; }

    // Flushes, closes and renames onto the final path. Throws on failure.
    void Commit();

private:
    void Discard();

    std::string path_;
    std::string tempPath_;
    std::FILE* stream_ = nullptr;
};

// Writes `path` atomically with what `write` puts into the stream.
void WriteFileAtomically(const std::string& path, const std::function<void(std::FILE*)>& write);

}  // namespace orbalux
