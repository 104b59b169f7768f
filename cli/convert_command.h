// The converter's run modes on top of the parsed command line.
#pragma once

#include <cstdio>
#include <vector>

#include "cli/convert_options.h"
#include "cli/progress_reporter.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {

// Where the command writes: results to `out`, progress, warnings and
// failures to `err`.
struct CommandStreams {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
    int errColumns = 80;  // the terminal's width, when it is one
};

// Exit status of a run: every file done, a file failed (or warned, with
// --strict), wrong usage; after a signal InterruptedExitStatus().
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Converts every input (RunMode::Convert). Throws UsageError before any file
// is written when the outputs are wrong; a batch's folder that cannot take a
// file is one failure before any picture is decoded. Otherwise returns
// kExitOk, kExitFailed or the interrupted status.
int RunConversion(const ConvertOptions& options, const CommandStreams& io);

// Prints each input's parameters and header lines (RunMode::Info), as text
// or as JSON; a failed write to `out` is a failure.
int RunInfo(const ConvertOptions& options, const CommandStreams& io);

// Reports each input folder that could not be listed as a failed item.
void ReportUnlisted(ProgressReporter& progress, const std::vector<OrbaluxError>& unlisted);

// The status of a finished run: failures, then warnings under --strict.
int RunStatus(std::size_t failed, std::size_t warned, const ConvertOptions& options);

}  // namespace orbalux::cli
