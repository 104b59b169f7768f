// orbalux-convert: Mariner 6 and 7 picture files to BMP or PNG, contact sheets
// and movies, from the shell.
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "cli/contact_sheet_command.h"
#include "cli/convert_command.h"
#include "cli/convert_options.h"
#include "cli/input_list.h"
#include "cli/interruption.h"
#include "cli/messages.h"
#include "cli/movie_command.h"

using namespace orbalux::cli;

namespace {

// The width of the terminal on stderr: as the terminal says, else COLUMNS.
int TerminalColumns() {
    winsize size{};
    if (ioctl(fileno(stderr), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        const int value = std::atoi(columns);
        if (value > 0) return value;
    }
    return 80;
}

int Run(const ConvertOptions& options, const CommandStreams& io) {
    switch (options.mode) {
        case RunMode::Help:
            std::fputs(HelpText().c_str(), io.out);
            break;
        case RunMode::Version:
            std::fputs(VersionText().c_str(), io.out);
            break;
        case RunMode::Info:
            return RunInfo(options, io);
        case RunMode::ContactSheet:
            return RunContactSheet(options, io);
        case RunMode::Movie:
            return RunMovie(options, io);
        case RunMode::Convert:
            return RunConversion(options, io);
    }
    if (std::fflush(io.out) != 0 || std::ferror(io.out)) {
        std::perror("orbalux-convert: standard output");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandStreams io;
    io.outIsTerminal = isatty(fileno(stdout)) != 0;
    io.errIsTerminal = isatty(fileno(stderr)) != 0;
    if (io.errIsTerminal) io.errColumns = TerminalColumns();
    InterruptionWatch watch;
    try {
        ConvertOptions options = ParseConvertArguments(args);
        if (options.mode != RunMode::Help && options.mode != RunMode::Version) AddListedInputs(options);
        return Run(options, io);
    } catch (const UsageError& e) {
        PrintMessage(stderr, {}, e.what());
        std::fputs("Try 'orbalux-convert --help'.\n", stderr);
        return kExitUsage;
    } catch (const std::exception& e) {
        PrintMessage(stderr, {}, e.what());
        return kExitFailed;
    }
}
