// The movie encoders as a module of their own (giflib and FFmpeg's libraries
// behind it), opened the first time a movie is written: a run that writes no
// movie never loads those libraries. The module and the programs come from
// one build; its entry hands back this table.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "movie/movie_canvas.h"
#include "movie/movie_format.h"

namespace orbalux {

class FrameEncoder;

// Raised whenever the table's shape changes, so that a module of another
// build is refused rather than called.
constexpr int kMovieEncoderTableVersion = 1;

struct MovieEncoderTable {
    int version;
    std::unique_ptr<FrameEncoder> (*make_gif)(std::FILE* stream, const std::string& path, CanvasSize canvas, int fps);
    std::unique_ptr<FrameEncoder> (*make_video)(std::FILE* stream, const std::string& path, MovieFormat format,
                                                CanvasSize canvas, int fps);
    // Throws OrbaluxError when the libraries cannot write `format`.
    void (*check)(const std::string& path, MovieFormat format);
};

// The module's file name and its one exported entry.
constexpr const char* kMovieEncoderModuleName = "orbalux-movie-encoders.so";
constexpr const char* kMovieEncoderEntryName = "orbalux_movie_encoder_table";
using MovieEncoderEntry = const MovieEncoderTable* (*)();

// The module's table, opened on the first call and kept for the run. Looks in
// ORBALUX_MOVIE_ENCODERS (a file) when it is set, else in the package's
// private folder beside the program (../lib/.../orbalux), else where the
// program's run path says (a build folder). Throws OrbaluxError naming `path`
// (the movie asked for) when it is not found or is of another build.
const MovieEncoderTable& MovieEncoders(const std::string& path);

}  // namespace orbalux
