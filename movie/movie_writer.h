// Writing a sequence of shown pictures as one movie file: each picture
// centred on the canvas, frames in the order given, the file written under a
// temporary name and renamed only when the movie is whole. A failure, a
// cancel or an exception on the way leaves no file (and a file already at the
// final name as it was).
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "movie/movie_canvas.h"
#include "movie/movie_format.h"
#include "output/atomic_file.h"
#include "state/grey_image.h"

namespace orbalux {

constexpr int kDefaultMovieFps = 10;
constexpr int kMinMovieFps = 1;
constexpr int kMaxMovieFps = 60;
// A GIF's delays count hundredths and viewers stretch one under 2/100 s: 50
// frames a second is the most a GIF holds.
constexpr int kMaxGifFps = 50;

// The highest rate `format` holds.
constexpr int MaxMovieFps(MovieFormat format) { return format == MovieFormat::Gif ? kMaxGifFps : kMaxMovieFps; }

struct MovieSettings {
    MovieFormat format = MovieFormat::WebM;
    CanvasSize canvas;  // the largest picture's sides (CanvasFor)
    int fps = kDefaultMovieFps;
};

class FrameEncoder;

class MovieWriter {
public:
    // Opens the temporary file and the encoder. Throws OrbaluxError naming
    // `path` (a folder that takes no file, a format the libraries cannot
    // write, an empty canvas).
    MovieWriter(std::string path, const MovieSettings& settings);
    ~MovieWriter();  // without Commit: the temporary file goes
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    // One frame: `picture` centred on the canvas, on black.
    void AddFrame(const GreyImage& picture);
    std::size_t frames() const { return frames_; }

    // Ends the movie and renames it onto its final name. Throws OrbaluxError
    // when it holds no frame or cannot be completed.
    void Commit();

private:
    std::string path_;
    MovieSettings settings_;
    AtomicOutputFile file_;
    std::unique_ptr<FrameEncoder> encoder_;  // ends before the file closes
    GreyImage frame_;
    std::size_t frames_ = 0;
};

// The picture for entry `index` of the sequence, or none when it is left out
// (a file that failed to load, say).
using MovieFrameSource = std::function<std::optional<GreyImage>(std::size_t index)>;
// Told after each entry how many of `total` are done; returning false cancels
// the movie.
using MovieProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Writes the `count` entries of `source` as the movie at `path`. Returns
// false when `progress` cancelled it (no file written), true when the movie
// is in place. Throws OrbaluxError on failure, and when every entry was left
// out ("no pictures for the movie").
bool WriteMovie(const std::string& path, const MovieSettings& settings, std::size_t count,
                const MovieFrameSource& source, const MovieProgress& progress = {});

}  // namespace orbalux
