#include "session/command_line.h"

namespace orbalux {

BrowserCommandLine ParseBrowserCommandLine(const std::vector<std::string>& args) {
    BrowserCommandLine result;
    bool optionsEnd = false;
    for (const std::string& arg : args) {
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && (arg == "--help" || arg == "-h")) {
            return {BrowserCommandLine::Action::Help, {}, {}};
        } else if (!optionsEnd && (arg == "--version" || arg == "-v")) {
            return {BrowserCommandLine::Action::Version, {}, {}};
        } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            return {BrowserCommandLine::Action::Error, {}, "unknown option " + arg};
        } else if (!result.file.empty()) {
            return {BrowserCommandLine::Action::Error, {}, "only one picture file can be opened"};
        } else {
            result.file = arg;
        }
    }
    return result;
}

std::string BrowserUsage(const std::string& program) {
    return "Usage: " + program +
           " [FILE]\n"
           "Browse the Mariner 6 and 7 Mars television pictures of a CD-WO volume.\n"
           "\n"
           "  FILE           a picture file (69_*, RBL_*, ED_*, JAC_*) to open at start,\n"
           "                 or a folder, whose first picture opens\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "\n"
           "Qt's own options (-platform, -geometry, -style ...) are accepted as well.\n";
}

}  // namespace orbalux
