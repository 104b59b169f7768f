#include "movie/movie_format.h"

#include <algorithm>
#include <array>

#include "movie/frame_encoder.h"
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

int GifFrameDelay(int fps, std::size_t frame) {
    // The hundredth nearest to frame k's start, k/fps s (halves up).
    const auto start = [fps = static_cast<long long>(std::max(1, fps))](long long k) {
        return (200 * k + fps) / (2 * fps);
    };
    const auto k = static_cast<long long>(frame);
    return static_cast<int>(start(k + 1) - start(k));
}

}  // namespace orbalux
