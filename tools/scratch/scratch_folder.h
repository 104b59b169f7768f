// A folder of its own for one test, fuzz run or benchmark, removed with
// everything in it when the object goes. The tests, the fuzz targets and the
// benchmarks all make theirs here.
#pragma once

#include <filesystem>
#include <string>

namespace orbalux::test {

enum class ScratchPlace {
    TemporaryFolder,  // the system's temporary folder
    Memory,           // a memory file system (/dev/shm) when there is one: files written and read many times a second
};

class ScratchFolder {
public:
    explicit ScratchFolder(ScratchPlace place = ScratchPlace::TemporaryFolder);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace orbalux::test
