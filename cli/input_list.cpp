#include "cli/input_list.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "state/orbalux_error.h"

namespace orbalux::cli {

std::vector<std::string> ReadInputList(std::FILE* list, bool nulSeparated, const std::string& listName) {
    const int end = nulSeparated ? '\0' : '\n';
    std::vector<std::string> names;
    std::string name;
    errno = 0;
    for (int c; (c = std::getc(list)) != EOF;) {
        if (c != end) {
            name += static_cast<char>(c);
            continue;
        }
        if (!name.empty()) names.push_back(std::move(name));
        name.clear();
    }
    if (std::ferror(list)) throw OrbaluxError(ErrorKind::Unreadable, listName, std::strerror(errno ? errno : EIO));
    if (!name.empty()) names.push_back(std::move(name));
    return names;
}

void AddListedInputs(ConvertOptions& options, std::FILE* standardInput) {
    if (options.filesFrom.empty()) return;
    std::vector<std::string> names;
    try {
        if (options.filesFrom == "-") {
            names = ReadInputList(standardInput, options.nulSeparated, "standard input");
        } else {
            const std::unique_ptr<std::FILE, int (*)(std::FILE*)> list(std::fopen(options.filesFrom.c_str(), "rb"),
                                                                       &std::fclose);
            if (!list) throw OrbaluxError(ErrorKind::Unreadable, options.filesFrom, std::strerror(errno));
            names = ReadInputList(list.get(), options.nulSeparated, options.filesFrom);
        }
    } catch (const OrbaluxError& e) {
        // One failure among the others: the INPUTs named elsewhere still run.
        options.listFailure = e;
        return;
    }
    options.inputs.insert(options.inputs.end(), names.begin(), names.end());
}

}  // namespace orbalux::cli
