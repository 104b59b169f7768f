// The scratch folder: the process's id and a random number in its name, so
// that runs side by side, and folders of one process, never meet.
#include "tools/scratch/scratch_folder.h"

#include <unistd.h>

#include <random>
#include <system_error>

namespace orbalux::test {

ScratchFolder::ScratchFolder(ScratchPlace place) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = place == ScratchPlace::Memory && fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                                                            : fs::temp_directory_path();
    std::random_device rd;
    path_ =
        base / ("orbalux_scratch_" + std::to_string(::getpid()) + "_" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace orbalux::test
