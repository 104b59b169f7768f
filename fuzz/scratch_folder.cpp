#include "fuzz/scratch_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace orbalux::fuzz {
namespace {

namespace fs = std::filesystem;

class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = base / ("orbalux-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const ScratchFolder& Folder() {
    static const ScratchFolder folder;
    return folder;
}

}  // namespace

std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes) {
    const std::string path = (Folder().path() / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::abort();  // the harness itself is broken, not the program
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !written) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

void RemoveScratchFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace orbalux::fuzz
