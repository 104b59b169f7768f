#include "intake/file_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "state/ascii_names.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

// A picture's own ending: a point and three digits ("69_011.001").
constexpr std::size_t kOwnEndingLength = 4;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EndsAsPictureName(std::string_view name) {
    const std::string_view end = name.substr(name.size() - kOwnEndingLength);
    return end[0] == '.' && IsDigit(end[1]) && IsDigit(end[2]) && IsDigit(end[3]);
}

OrbaluxError ListingError(const std::string& dir, const std::error_code& ec) {
    return OrbaluxError(ErrorKind::Unlistable, dir, "cannot list the folder: " + ec.message());
}

}  // namespace

bool IsPictureFileName(std::string_view name) {
    return std::any_of(kPictureNamePrefixes.begin(), kPictureNamePrefixes.end(), [name](std::string_view prefix) {
        return name.size() >= prefix.size() + kOwnEndingLength && StartsWithIgnoringAsciiCase(name, prefix) &&
               EndsAsPictureName(name);
    });
}

std::vector<std::string> ListPictureFiles(const std::string& dir) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    if (ec) throw ListingError(dir, ec);
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!IsPictureFileName(name)) continue;
        std::error_code statError;
        // is_regular_file follows symbolic links; a broken link is not one.
        if (!it->is_regular_file(statError) || statError) continue;
        names.push_back(std::move(name));
    }
    // A read error ends the loop as the end of the folder would.
    if (ec) throw ListingError(dir, ec);
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
