// The movie formats the writer knows, one row each: the name's extension, the
// container and the codec that fill it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbalux {

enum class MovieFormat { Gif, Mp4, WebM };

struct MovieFormatRow {
    MovieFormat format;
    std::string_view extension;  // with the dot, compared in any letter case
    std::string_view container;  // FFmpeg's muxer name; "" for GIF (giflib)
    std::string_view codec;      // what the frames are coded with, for messages
};

const MovieFormatRow& MovieFormatRowOf(MovieFormat format);

// The format a movie's file name asks for by its extension; none when the
// extension is not one of the table's.
std::optional<MovieFormat> MovieFormatForPath(const std::string& path);

// "OUT.gif|OUT.mp4|OUT.webm": the names the table takes, for help texts.
std::string MovieNamePattern(std::string_view stem);

// Throws OrbaluxError naming `path` when the movie encoders are not installed,
// or when the libraries at hand cannot write `format` (an FFmpeg built without
// an H.264 encoder, say), with the format to use instead. Opens the encoders'
// module (encoder_module.h).
void CheckMovieEncoder(const std::string& path, MovieFormat format);

}  // namespace orbalux
