// A movie of picture files rendered with settings chosen ahead, in two passes:
// the first renders every picture for its size and whether it loads, the
// second renders each again as its frame comes, so that a long sequence never
// needs all its pictures in memory at once. The browser's Export Sequence and
// the converter's --movie both write their movies through it.
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "load/chain_settings.h"
#include "movie/movie_writer.h"
#include "state/grey_image.h"
#include "state/picture_state.h"

namespace orbalux {

enum class MoviePass { Measure, Frame };

// Where the movie has got to: `done` of this pass's `total` entries (every
// picture when measuring, those that loaded when framing), the last of them
// picture `index` of the paths.
struct MovieStep {
    MoviePass pass = MoviePass::Measure;
    std::size_t done = 0;
    std::size_t total = 0;
    std::size_t index = 0;
};

// The first pass's work for picture `index`: renders it into `state` and
// notes its size. Throws when the picture does not load. Safe to call for
// different indices on different threads, each with its own state.
using MeasurePicture = std::function<void(PictureState& state, std::size_t index)>;

struct PictureMovieHooks {
    // Runs `measure` once for each of `count` pictures, catching and
    // reporting their failures itself; returns false to stop the movie
    // (nothing written). Default: one after the other, in order, each failure
    // given to `leftOut` and each entry told to `progress`.
    std::function<bool(std::size_t count, const MeasurePicture& measure)> firstPass;
    // Picture `index` failed (in the default first pass, or in the second:
    // changed or gone since the first). Returns true when the error only
    // leaves the picture out, false when it ends the movie (it is rethrown).
    // Default: an OrbaluxError leaves the picture out, any other error ends it.
    std::function<bool(std::size_t index, const std::exception& error)> leftOut;
    // Told after each entry of either pass; returning false cancels the movie
    // (nothing written).
    std::function<bool(const MovieStep& step)> progress;
    // Draws on picture `index`'s frame, already centred on the canvas.
    std::function<void(GreyImage& frame, std::size_t index)> decorate;
};

struct PictureMovieResult {
    bool written = false;    // false: stopped or cancelled, no file written
    std::size_t frames = 0;  // pictures framed
};

// Writes the pictures at `paths`, rendered with `chain` (decoded by catalogue
// entry `catalogueName` when given), as the movie at `moviePath` in
// `settings`'s format and frame rate, on a canvas as large as the largest
// picture. Throws OrbaluxError when none loads ("no pictures for the movie")
// or the movie cannot be written.
PictureMovieResult WritePictureMovie(const std::string& moviePath, const std::vector<std::string>& paths,
                                     const ChainSettings& chain, const std::string& catalogueName,
                                     MovieSettings settings, const PictureMovieHooks& hooks = {});

}  // namespace orbalux
