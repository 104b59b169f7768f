#include "cli/convert_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/conversion_plan.h"
#include "cli/interruption.h"
#include "cli/measure_command.h"
#include "cli/messages.h"
#include "cli/parallel_runner.h"
#include "cli/picture_info.h"
#include "cli/picture_texts.h"
#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "output/atomic_file.h"
#include "output/picture_writer.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {
namespace {

constexpr const char* kStandardOutputName = "standard output";

void PrintWarnings(const CommandStreams& io, const std::string& name, const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) PrintMessage(io.err, name, "warning: " + warning);
}

// A file's error under its own name; another file's (an output's) under that
// one's.
void PrintFailure(const CommandStreams& io, const std::string& name, const std::exception& e) {
    const auto* error = dynamic_cast<const OrbaluxError*>(&e);
    if (error && !error->file().empty())
        PrintMessage(io.err, error->file(), error->reason());
    else
        PrintMessage(io.err, name, e.what());
}

// Flushes `out`; throws OrbaluxError when anything written to it was lost.
void FinishStandardOutput(std::FILE* out) {
    errno = 0;
    if (std::fflush(out) != 0 || std::ferror(out)) throw OrbaluxError(ErrorKind::Unwritable, kStandardOutputName, std::strerror(errno ? errno : EIO));
}

// -o -: the one picture, as bytes on standard output.
int ConvertToStandardOutput(const ConvertOptions& options, const ConversionPlan& plan, const CommandStreams& io) {
    if (io.outIsTerminal) throw UsageError("standard output is a terminal; redirect it or name a file with -o");
    const std::string& input = plan.tasks.front().input;
    PictureState state;
    std::vector<std::string> warnings;
    try {
        RenderPicture(state, input, options.chain, options.catalogueName);
        warnings = LoadWarnings(state);
        PrintWarnings(io, input, warnings);
        std::vector<PngText> texts;
        if (plan.format == OutputFormat::Png) texts = PictureTexts(state, options);
        WritePictureStream(state, io.out, kStandardOutputName, plan.format, options.pngLevel, texts);
        FinishStandardOutput(io.out);
    } catch (const std::exception& e) {
        PrintFailure(io, input, e);
        return kExitFailed;
    }
    return RunStatus(0, warnings.empty() ? 0 : 1, options);
}

}  // namespace

void ReportUnlisted(ProgressReporter& progress, const std::vector<OrbaluxError>& unlisted) {
    for (const OrbaluxError& e : unlisted) progress.Finished(e.file(), &e.reason());
}

int RunStatus(std::size_t failed, std::size_t warned, const ConvertOptions& options) {
    if (InterruptionSignal()) return InterruptedExitStatus();
    if (failed || (options.strict && warned)) return kExitFailed;
    return kExitOk;
}

int RunConversion(const ConvertOptions& options, const CommandStreams& io) {
    const ConversionPlan plan = PlanConversion(options);
    if (plan.toStandardOutput) return ConvertToStandardOutput(options, plan, io);
    if (plan.tasks.empty()) {
        for (const OrbaluxError& e : plan.unlisted) PrintMessage(io.err, e.file(), e.reason());
        if (plan.unlisted.empty()) PrintMessage(io.err, {}, "no picture files to convert");
        return kExitFailed;
    }
    if (!plan.outputFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(plan.outputFolder, ec);
        if (ec) {
            PrintMessage(io.err, plan.outputFolder, ec.message());
            return kExitFailed;
        }
        // One file made and removed says whether the folder takes files at
        // all (permissions, a read-only mount): one error, not one per file.
        try {
            AtomicOutputFile probe(plan.outputFolder + "/.orbalux-convert");
        } catch (const OrbaluxError& e) {
            PrintMessage(io.err, plan.outputFolder, e.reason());
            return kExitFailed;
        }
    }

    // --skip-existing: what an earlier, stopped run finished with the same
    // options stays; an output made otherwise is converted again, and said so.
    std::vector<ConversionTask> tasks;
    bool bmpTold = false;
    for (const ConversionTask& task : plan.tasks) {
        if (!options.skipExisting) {
            tasks.push_back(task);
            continue;
        }
        const ExistingOutputCheck existing = CheckExistingOutput(task, plan.format, options);
        if (existing.verdict == ExistingOutput::Kept) continue;
        tasks.push_back(task);
        if (existing.verdict == ExistingOutput::OtherOptions) {
            PrintMessage(io.err, task.output,
                         "made with other options (" +
                             (existing.recorded.empty() ? std::string("not recorded") : existing.recorded) +
                             "); converted again with " + AppliedOptionsText(options.chain));
        } else if (existing.verdict == ExistingOutput::Unrecorded && !bmpTold) {
            PrintMessage(io.err, {},
                         "--skip-existing: a BMP does not record the options it was made with; "
                         "existing BMP outputs are converted again");
            bmpTold = true;
        }
    }
    std::vector<std::string> names;
    names.reserve(tasks.size());
    for (const ConversionTask& task : tasks) names.push_back(task.input);

    // A folder that could not be listed counts as a failed item of the run.
    ProgressReporter progress(io.err, names.size() + plan.unlisted.size(), io.errIsTerminal, options.quiet,
                              io.errColumns);
    ReportUnlisted(progress, plan.unlisted);
    progress.Skipped(plan.tasks.size() - tasks.size());
    RunInParallel(names, options.jobs,
                  [&](PictureState& state, std::size_t index) {
                      const ConversionTask& task = tasks[index];
                      RenderPicture(state, task.input, options.chain, options.catalogueName);
                      StopIfInterrupted();
                      std::vector<PngText> texts;
                      if (plan.format == OutputFormat::Png) texts = PictureTexts(state, options);
                      WriteFileAtomically(task.output, [&](std::FILE* file) {
                          WritePictureStream(state, file, task.output, plan.format, options.pngLevel, texts);
                          StopIfInterrupted();  // the temporary file goes with the exception
                      });
                      return LoadWarnings(state);
                  },
                  progress);
    progress.Finish(InterruptionSignal() != 0);
    return RunStatus(progress.failed(), progress.warned(), options);
}

int RunInfo(const ConvertOptions& options, const CommandStreams& io) {
    const InputList listed = InputFiles(options);
    const std::vector<std::string>& inputs = listed.files;
    std::size_t failed = 0, warned = 0;
    bool printed = false, misused = false;
    // Every item gets its output, a failure too under --json: a script
    // learns of every file it asked about from standard output alone.
    auto print = [&](const std::string& text) {
        if (printed && !options.json) std::fputc('\n', io.out);
        std::fputs(text.c_str(), io.out);
        printed = true;
        FinishStandardOutput(io.out);
    };
    auto fail = [&](const std::string& name, const std::string& reason) {
        PrintMessage(io.err, name, reason);
        ++failed;
        if (options.json) print(FormatFailureJson(name, reason));
    };
    try {
        for (const OrbaluxError& e : listed.unlisted) fail(e.file(), e.reason());
        if (inputs.empty()) {
            if (listed.unlisted.empty()) PrintMessage(io.err, {}, "no picture files to describe");
            return kExitFailed;
        }
        PictureState state;
        for (const std::string& input : inputs) {
            if (InterruptionSignal()) break;
            try {
                RenderPicture(state, input, options.chain, options.catalogueName);
            } catch (const OrbaluxError& e) {
                fail(input, e.reason());
                continue;
            } catch (const std::exception& e) {
                fail(input, e.what());
                continue;
            }
            const std::vector<std::string> warnings = LoadWarnings(state);
            PrintWarnings(io, input, warnings);
            if (!warnings.empty()) ++warned;
            std::optional<RegionStatistics> stats;
            if (options.stats) {
                // A rectangle that one picture of several cannot hold is wrong
                // usage, said for that picture; the others still get theirs.
                try {
                    stats = StatisticsFor(options, state);
                } catch (const UsageError& e) {
                    fail(input, e.what());
                    misused = true;
                    continue;
                }
            }
            print(options.json ? FormatPictureInfoJson(state, input, stats) : FormatPictureInfo(state, stats));
        }
    } catch (const OrbaluxError& e) {  // standard output lost
        PrintMessage(io.err, e.file(), e.reason());
        return kExitFailed;
    }
    if (misused) return kExitUsage;
    return RunStatus(failed, warned, options);
}

}  // namespace orbalux::cli
