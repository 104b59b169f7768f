// --movie over the two-pass movie: the first pass on the converter's workers
// with its failures and warnings told as a conversion's are, the frames on
// a terminal line, the labels, and the exit status.
#include "cli/movie_command.h"

#include <optional>

#include "cli/conversion_plan.h"
#include "cli/convert_command.h"
#include "cli/interruption.h"
#include "cli/messages.h"
#include "cli/movie_label.h"
#include "cli/parallel_runner.h"
#include "cli/progress_reporter.h"
#include "intake/picture_file.h"
#include "load/load_warnings.h"
#include "movie/picture_movie.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {
namespace {

// The frames' progress line on a terminal: "frame 12/398  69_011.001".
class FrameProgress {
public:
    FrameProgress(const CommandStreams& io, bool quiet) : io_(io), shown_(io.errIsTerminal && !quiet) {}
    void Draw(std::size_t done, std::size_t total, const std::string& name) {
        if (!shown_) return;
        const std::string line = "frame " + std::to_string(done) + "/" + std::to_string(total) + "  " + name;
        std::fprintf(io_.err, "\r\x1b[K%s", FitToWidth(line, io_.errColumns).c_str());
        std::fflush(io_.err);
        drawn_ = true;
    }
    void Clear() {
        if (drawn_) std::fputs("\r\x1b[K", io_.err);
        drawn_ = false;
    }

private:
    const CommandStreams& io_;
    bool shown_;
    bool drawn_ = false;
};

}  // namespace

int RunMovie(const ConvertOptions& options, const CommandStreams& io) {
    const InputList listed = InputFiles(options);
    const std::vector<std::string>& inputs = listed.files;
    CheckOutputFile(options.movie, inputs);
    MovieSettings settings;
    settings.format = MovieFormatForPath(options.movie).value_or(MovieFormat::WebM);
    settings.fps = options.fps;
    try {
        CheckMovieEncoder(options.movie, settings.format);  // before any picture is decoded
    } catch (const OrbaluxError& e) {
        PrintMessage(io.err, e.file(), e.reason());
        return kExitFailed;
    }
    if (inputs.empty()) {
        for (const OrbaluxError& e : listed.unlisted) PrintMessage(io.err, e.file(), e.reason());
        if (listed.unlisted.empty()) PrintMessage(io.err, {}, "no picture files for the movie");
        return kExitFailed;
    }

    // The first pass runs on the workers, its failures and warnings told as
    // a conversion's are.
    ProgressReporter reading(io.err, inputs.size() + listed.unlisted.size(), io.errIsTerminal, true, io.errColumns);
    ReportUnlisted(reading, listed.unlisted);
    PictureMovieHooks hooks;
    bool stopped = false;  // by a signal in the first pass
    hooks.firstPass = [&](std::size_t, const MeasurePicture& measure) {
        RunInParallel(
            inputs, options.jobs,
            [&](PictureState& state, std::size_t index) {
                measure(state, index);
                return LoadWarnings(state);
            },
            reading);
        stopped = InterruptionSignal() != 0;
        return !stopped;
    };

    // The second pass: one frame each, drawn on a terminal.
    FrameProgress progress(io, options.quiet);
    std::size_t failedLater = 0;
    hooks.leftOut = [&](std::size_t index, const std::exception& e) {
        // Changed or gone since the first pass.
        progress.Clear();
        const auto* error = dynamic_cast<const OrbaluxError*>(&e);
        PrintMessage(io.err, inputs[index], error ? error->reason() : std::string(e.what()));
        ++failedLater;
        return true;
    };
    hooks.progress = [&](const MovieStep& step) {
        progress.Draw(step.done, step.total, FileNamePart(inputs[step.index]));
        return InterruptionSignal() == 0;
    };
    std::optional<FrameLabeller> labeller;
    if (options.label)
        hooks.decorate = [&](GreyImage& frame, std::size_t index) {
            if (!labeller) labeller.emplace(frame.height);  // the canvas's
            labeller->Label(frame, FileNamePart(inputs[index]));
        };
    PictureMovieResult movie;
    try {
        movie = WritePictureMovie(options.movie, inputs, options.chain, options.catalogueName, settings, hooks);
        progress.Clear();
        if (stopped) return RunStatus(0, 0, options);
        if (!movie.written) {
            PrintMessage(io.err, options.movie, "interrupted: not written");
            return RunStatus(0, 0, options);
        }
    } catch (const OrbaluxError& e) {
        progress.Clear();
        PrintMessage(io.err, e.file(), e.reason());
        return kExitFailed;
    } catch (const std::exception& e) {
        progress.Clear();
        PrintMessage(io.err, options.movie, e.what());
        return kExitFailed;
    }
    const std::size_t failed = reading.failed() + failedLater;
    if (!options.quiet)
        std::fprintf(io.err, "%s\n",
                     FormatSummary(movie.frames, failed, reading.warned(), reading.ElapsedSeconds()).c_str());
    return RunStatus(failed, reading.warned(), options);
}

}  // namespace orbalux::cli
