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
#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "movie/movie_writer.h"
#include "output/grey_picture.h"
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

    // The first pass: which pictures load, and the canvas that holds them all.
    std::vector<std::optional<CanvasSize>> sizes(inputs.size());
    ProgressReporter reading(io.err, inputs.size() + listed.unlisted.size(), io.errIsTerminal, true, io.errColumns);
    ReportUnlisted(reading, listed.unlisted);
    RunInParallel(inputs, options.jobs,
                  [&](PictureState& state, std::size_t index) {
                      RenderPicture(state, inputs[index], options.chain, options.catalogueName);
                      sizes[index] = CanvasSize{state.ImageWidth, state.ImageHeight};
                      return LoadWarnings(state);
                  },
                  reading);
    if (InterruptionSignal()) return RunStatus(0, 0, options);
    std::size_t failed = reading.failed();

    std::vector<std::size_t> loaded;
    std::vector<CanvasSize> loadedSizes;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (sizes[i]) {
            loaded.push_back(i);
            loadedSizes.push_back(*sizes[i]);
        }
    settings.canvas = CanvasFor(loadedSizes);

    // The second pass renders each picture again as its frame comes, so that
    // a long sequence never needs all its pictures in memory at once.
    std::optional<FrameLabeller> labeller;
    if (options.label && !loaded.empty()) labeller.emplace(settings.canvas.height);
    FrameProgress progress(io, options.quiet);
    PictureState state;
    GreyImage picture, frame;
    std::size_t frames = 0;
    auto source = [&](std::size_t i) -> std::optional<GreyImage> {
        const std::string& input = inputs[loaded[i]];
        try {
            RenderPicture(state, input, options.chain, options.catalogueName);
        } catch (const std::exception& e) {
            // Changed or gone since the first pass.
            progress.Clear();
            const auto* error = dynamic_cast<const OrbaluxError*>(&e);
            PrintMessage(io.err, input, error ? error->reason() : std::string(e.what()));
            ++failed;
            return std::nullopt;
        }
        GreyFromBitmap(state, picture);
        ++frames;
        if (!labeller) return picture;
        PlaceOnCanvas(picture, settings.canvas, frame);
        labeller->Label(frame, FileNamePart(input));
        return frame;
    };
    auto report = [&](std::size_t done, std::size_t total) {
        progress.Draw(done, total, FileNamePart(inputs[loaded[done - 1]]));
        return InterruptionSignal() == 0;
    };
    try {
        const bool written = WriteMovie(options.movie, settings, loaded.size(), source, report);
        progress.Clear();
        if (!written) {
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
    if (!options.quiet)
        std::fprintf(io.err, "%s\n", FormatSummary(frames, failed, reading.warned(), reading.ElapsedSeconds()).c_str());
    return RunStatus(failed, reading.warned(), options);
}

}  // namespace orbalux::cli
