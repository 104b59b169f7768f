// The browser's command line: an optional picture file, --help, --version.
#pragma once

#include <string>
#include <vector>

namespace orbalux {

struct BrowserCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string file;     // the picture to open at start, or empty
    std::string message;  // what is wrong, for Action::Error
};

// `args` without the program name. Qt's own options (-platform, -style ...)
// are taken out by QApplication before this runs.
BrowserCommandLine ParseBrowserCommandLine(const std::vector<std::string>& args);

std::string BrowserUsage(const std::string& program);

}  // namespace orbalux
