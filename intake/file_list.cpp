#include "intake/file_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "state/ascii_names.h"

namespace orbalux {
namespace {

// The name families of the data volume's picture files.
constexpr std::array<std::string_view, 4> kPicturePrefixes = {"69_", "RBL_", "ED_", "JAC_"};

// Endings of pictures and documents made from the volume's files (a folder
// converted in place, a label beside its picture): never picture files
// themselves, so that a second run over the folder does not take them in.
constexpr std::array<std::string_view, 8> kMadeFileEndings = {".png", ".bmp", ".tif", ".tiff",
                                                              ".fits", ".jpg", ".txt", ".lbl"};

}  // namespace

bool IsPictureFileName(std::string_view name) {
    return std::any_of(kPicturePrefixes.begin(), kPicturePrefixes.end(),
                       [name](std::string_view prefix) { return StartsWithIgnoringAsciiCase(name, prefix); }) &&
           std::none_of(kMadeFileEndings.begin(), kMadeFileEndings.end(),
                        [name](std::string_view ending) { return EndsWithIgnoringAsciiCase(name, ending); });
}

std::vector<std::string> ListPictureFiles(const std::string& dir) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    if (ec) return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        if (!IsPictureFileName(name)) continue;
        std::error_code statError;
        // is_regular_file follows symbolic links; a broken link is not one.
        if (!it->is_regular_file(statError) || statError) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

int FindListPosition(const std::vector<std::string>& list, const std::string& currentName) {
    int position = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == currentName || EqualIgnoringAsciiCase(list[i], currentName)) position = static_cast<int>(i) + 1;
    }
    return position;
}

}  // namespace orbalux
