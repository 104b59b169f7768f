#include "movie/movie_format.h"

#include <array>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "state/ascii_names.h"
#include "state/orbalux_error.h"
#include "state/path_parts.h"

namespace orbalux {
namespace {

// format             extension  container  codec
constexpr std::array<MovieFormatRow, 3> kMovieFormats{{
    {MovieFormat::Gif,  ".gif",   "",     "GIF (256 greys)"},
    {MovieFormat::Mp4,  ".mp4",   "mp4",  "H.264"},
    {MovieFormat::WebM, ".webm",  "webm", "VP9"},
}};

}  // namespace

const MovieFormatRow& MovieFormatRowOf(MovieFormat format) {
    for (const MovieFormatRow& row : kMovieFormats)
        if (row.format == format) return row;
    return kMovieFormats.front();
}

std::optional<MovieFormat> MovieFormatForPath(const std::string& path) {
    const std::string_view name = FileNameOf(path);
    for (const MovieFormatRow& row : kMovieFormats)
        if (name.size() > row.extension.size() && EndsWithIgnoringAsciiCase(name, row.extension)) return row.format;
    return std::nullopt;
}

std::string MovieNamePattern(std::string_view stem) {
    std::string text;
    for (const MovieFormatRow& row : kMovieFormats)
    {
        if (!text.empty()) text.push_back('|');
        text.append(stem).append(row.extension);
    }
    return text;
}

void CheckMovieEncoder(const std::string& path, MovieFormat format) {
    switch (format) {
        case MovieFormat::Gif: return;
        case MovieFormat::Mp4:
            if (!avcodec_find_encoder(AV_CODEC_ID_H264))
                throw OrbaluxError(ErrorKind::Unwritable, path, "this FFmpeg library has no H.264 encoder for MP4; write a .webm movie instead");
            return;
        case MovieFormat::WebM:
            if (!avcodec_find_encoder_by_name("libvpx-vp9") && !avcodec_find_encoder(AV_CODEC_ID_VP9))
                throw OrbaluxError(ErrorKind::Unwritable, path, "this FFmpeg library has no VP9 encoder for WebM; write a .gif movie instead");
            return;
    }
}

}  // namespace orbalux
