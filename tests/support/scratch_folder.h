// A folder of its own under the system's temporary folder for one test,
// removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace orbalux::test {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace orbalux::test
