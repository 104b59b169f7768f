// orbalux-convert: Mariner 6 and 7 picture files to BMP or PNG from the shell.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/contact_sheet_command.h"
#include "cli/convert_command.h"
#include "cli/convert_options.h"

using namespace orbalux::cli;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandStreams io;
    io.errIsTerminal = isatty(fileno(stderr)) != 0;
    try {
        const ConvertOptions options = ParseConvertArguments(args);
        switch (options.mode) {
            case RunMode::Help:
                std::fputs(HelpText().c_str(), stdout);
                return kExitOk;
            case RunMode::Version:
                std::fputs(VersionText().c_str(), stdout);
                return kExitOk;
            case RunMode::Info:
                return RunInfo(options, io);
            case RunMode::ContactSheet:
                return RunContactSheet(options, io);
            case RunMode::Convert:
                return RunConversion(options, io);
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "orbalux-convert: %s\nTry 'orbalux-convert --help'.\n", e.what());
        return kExitUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbalux-convert: %s\n", e.what());
        return kExitFailed;
    }
    return kExitFailed;
}
