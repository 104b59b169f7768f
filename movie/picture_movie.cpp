// The two passes over picture files, with the callers' hooks: a failure is
// the caller's to report, the canvas comes from the first pass alone.
#include "movie/picture_movie.h"

#include <optional>

#include "movie/movie_canvas.h"
#include "output/grey_picture.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

// Whether the failure of picture `index` only leaves it out.
bool LeavesOut(const PictureMovieHooks& hooks, std::size_t index, const std::exception& error) {
    if (hooks.leftOut) return hooks.leftOut(index, error);
    return dynamic_cast<const OrbaluxError*>(&error) != nullptr;
}

bool Tell(const PictureMovieHooks& hooks, const MovieStep& step) { return !hooks.progress || hooks.progress(step); }

bool MeasureInTurn(const PictureMovieHooks& hooks, std::size_t count, const MeasurePicture& measure) {
    PictureState state;
    for (std::size_t i = 0; i < count; ++i) {
        try {
            measure(state, i);
        } catch (const std::exception& e) {
            if (!LeavesOut(hooks, i, e)) throw;
        }
        if (!Tell(hooks, {MoviePass::Measure, i + 1, count, i})) return false;
    }
    return true;
}

}  // namespace

PictureMovieResult WritePictureMovie(const std::string& moviePath, const std::vector<std::string>& paths,
                                     const ChainSettings& chain, const std::string& catalogueName,
                                     MovieSettings settings, const PictureMovieHooks& hooks) {
    PictureMovieResult result;

    // The first pass: which pictures load, and the canvas that holds them all.
    std::vector<std::optional<CanvasSize>> sizes(paths.size());
    const MeasurePicture measure = [&](PictureState& state, std::size_t index) {
        RenderPicture(state, paths[index], chain, catalogueName);
        sizes[index] = CanvasSize{state.ImageWidth, state.ImageHeight};
    };
    const bool measured =
        hooks.firstPass ? hooks.firstPass(paths.size(), measure) : MeasureInTurn(hooks, paths.size(), measure);
    if (!measured) return result;

    std::vector<std::size_t> loaded;
    std::vector<CanvasSize> loadedSizes;
    for (std::size_t i = 0; i < paths.size(); ++i)
        if (sizes[i]) {
            loaded.push_back(i);
            loadedSizes.push_back(*sizes[i]);
        }
    if (loaded.empty()) throw OrbaluxError(ErrorKind::Failed, moviePath, "no pictures for the movie");
    settings.canvas = CanvasFor(loadedSizes);

    // The second pass.
    PictureState state;
    GreyImage picture, frame;
    auto source = [&](std::size_t i) -> std::optional<GreyImage> {
        const std::size_t index = loaded[i];
        try {
            RenderPicture(state, paths[index], chain, catalogueName);
        } catch (const std::exception& e) {
            if (!LeavesOut(hooks, index, e)) throw;
            return std::nullopt;
        }
        GreyFromBitmap(state, picture);
        ++result.frames;
        if (!hooks.decorate) return picture;
        PlaceOnCanvas(picture, settings.canvas, frame);
        hooks.decorate(frame, index);
        return frame;
    };
    auto report = [&](std::size_t done, std::size_t total) {
        return Tell(hooks, {MoviePass::Frame, done, total, loaded[done - 1]});
    };
    result.written = WriteMovie(moviePath, settings, loaded.size(), source, report);
    return result;
}

}  // namespace orbalux
