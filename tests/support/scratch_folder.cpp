// The scratch folder: a random name, so tests run side by side never meet.
#include "tests/support/scratch_folder.h"

#include <random>
#include <system_error>

namespace orbalux::test {

ScratchDir::ScratchDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("orbalux_test_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace orbalux::test
