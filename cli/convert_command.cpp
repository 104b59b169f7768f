#include "cli/convert_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/conversion_plan.h"
#include "cli/interruption.h"
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
    for (const std::string& warning : warnings) std::fprintf(io.err, "%s: warning: %s\n", name.c_str(), warning.c_str());
}

// Flushes `out`; throws OrbaluxError when anything written to it was lost.
void FinishStandardOutput(std::FILE* out) {
    errno = 0;
    if (std::fflush(out) != 0 || std::ferror(out)) throw OrbaluxError(kStandardOutputName, std::strerror(errno ? errno : EIO));
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
        const auto* error = dynamic_cast<const OrbaluxError*>(&e);
        if (error && !error->file().empty()) {
            std::fprintf(io.err, "%s\n", e.what());
        } else {
            std::fprintf(io.err, "%s: %s\n", input.c_str(), e.what());
        }
        return kExitFailed;
    }
    return RunStatus(0, warnings.empty() ? 0 : 1, options);
}

}  // namespace

int RunStatus(std::size_t failed, std::size_t warned, const ConvertOptions& options) {
    if (InterruptionSignal()) return InterruptedExitStatus();
    if (failed || (options.strict && warned)) return kExitFailed;
    return kExitOk;
}

int RunConversion(const ConvertOptions& options, const CommandStreams& io) {
    const ConversionPlan plan = PlanConversion(options);
    if (plan.toStandardOutput) return ConvertToStandardOutput(options, plan, io);
    if (plan.tasks.empty()) {
        std::fprintf(io.err, "no picture files to convert\n");
        return kExitFailed;
    }
    if (!plan.outputFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(plan.outputFolder, ec);
        if (ec) {
            std::fprintf(io.err, "%s: %s\n", plan.outputFolder.c_str(), ec.message().c_str());
            return kExitFailed;
        }
        // One file made and removed says whether the folder takes files at
        // all (permissions, a read-only mount): one error, not one per file.
        try {
            AtomicOutputFile probe(plan.outputFolder + "/.orbalux-convert");
        } catch (const OrbaluxError& e) {
            std::fprintf(io.err, "%s: %s\n", plan.outputFolder.c_str(), e.reason().c_str());
            return kExitFailed;
        }
    }

    // --skip-existing: what an earlier, stopped run finished stays.
    std::vector<ConversionTask> tasks;
    for (const ConversionTask& task : plan.tasks)
        if (!options.skipExisting || !OutputIsNewer(task)) tasks.push_back(task);
    std::vector<std::string> names;
    names.reserve(tasks.size());
    for (const ConversionTask& task : tasks) names.push_back(task.input);

    ProgressReporter progress(io.err, names.size(), io.errIsTerminal, options.quiet, io.errColumns);
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
    const std::vector<std::string> inputs = InputFiles(options);
    if (inputs.empty()) {
        std::fprintf(io.err, "no picture files to describe\n");
        return kExitFailed;
    }
    std::size_t failed = 0, warned = 0;
    bool printed = false;
    PictureState state;
    for (const std::string& input : inputs) {
        if (InterruptionSignal()) break;
        try {
            RenderPicture(state, input, options.chain, options.catalogueName);
        } catch (const OrbaluxError& e) {
            std::fprintf(io.err, "%s: %s\n", input.c_str(), e.reason().c_str());
            ++failed;
            continue;
        } catch (const std::exception& e) {
            std::fprintf(io.err, "%s: %s\n", input.c_str(), e.what());
            ++failed;
            continue;
        }
        const std::vector<std::string> warnings = LoadWarnings(state);
        PrintWarnings(io, input, warnings);
        if (!warnings.empty()) ++warned;
        if (printed && !options.json) std::fputc('\n', io.out);
        std::fputs((options.json ? FormatPictureInfoJson(state, input) : FormatPictureInfo(state)).c_str(), io.out);
        printed = true;
        try {
            FinishStandardOutput(io.out);
        } catch (const OrbaluxError& e) {
            std::fprintf(io.err, "%s\n", e.what());
            return kExitFailed;
        }
    }
    return RunStatus(failed, warned, options);
}

}  // namespace orbalux::cli
