// The converter's run modes on top of the parsed command line.
#pragma once

#include <cstdio>

#include "cli/convert_options.h"

namespace orbalux::cli {

// Where the command writes: results to `out`, progress and failures to `err`.
struct CommandStreams {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool errIsTerminal = false;
};

// Exit status of a run: every file done, a file failed, wrong usage.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Converts every input (RunMode::Convert). Throws UsageError before any file
// is written when the outputs are wrong; otherwise returns kExitOk or
// kExitFailed.
int RunConversion(const ConvertOptions& options, const CommandStreams& io);

// Prints each input's parameters and header lines (RunMode::Info).
int RunInfo(const ConvertOptions& options, const CommandStreams& io);

}  // namespace orbalux::cli
