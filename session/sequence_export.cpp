// Export Sequence: a first pass finds the pictures that load and the canvas
// that holds them all; the second renders each again as its frame comes, so
// that a long sequence never needs all its pictures in memory at once.
#include "session/sequence_export.h"

#include <optional>

#include "intake/picture_file.h"
#include "movie/movie_canvas.h"
#include "movie/movie_format.h"
#include "output/grey_picture.h"

namespace orbalux {

std::vector<std::string> SequencePaths(const BrowsingSession& session, SequenceRange range) {
    const int count = session.FileListCount();
    std::vector<std::string> paths;
    if (range.first < 1 || range.first > count || range.last < 1 || range.last > count) return paths;
    const int step = range.last >= range.first ? 1 : -1;
    for (int i = range.first;; i += step) {
        paths.push_back(session.Folder() + session.FileList()[static_cast<std::size_t>(i - 1)]);
        if (i == range.last) break;
    }
    return paths;
}

SequenceResult ExportSequence(const BrowsingSession& session, SequenceRange range, const std::string& path,
                              int fps, const SequenceProgress& progress) {
    const std::vector<std::string> paths = SequencePaths(session, range);
    MovieSettings settings;
    settings.format = MovieFormatForPath(path).value_or(MovieFormat::WebM);
    settings.fps = fps;
    CheckMovieEncoder(path, settings.format);  // before any picture is decoded
    const ChainSettings chain = session.MenuSettings();
    const std::size_t total = 2 * paths.size();

    SequenceResult result;
    PictureState state;
    std::vector<std::size_t> loaded;
    std::vector<CanvasSize> sizes;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        try {
            RenderPicture(state, paths[i], chain);
            loaded.push_back(i);
            sizes.push_back({state.ImageWidth, state.ImageHeight});
        } catch (const OrbaluxError& e) {
            result.leftOut.push_back(e);
        }
        if (progress && !progress(i + 1, total)) return result;
    }
    if (loaded.empty()) throw OrbaluxError(ErrorKind::Failed, path, "no pictures for the movie");
    settings.canvas = CanvasFor(sizes);

    GreyImage picture;
    auto source = [&](std::size_t i) -> std::optional<GreyImage> {
        const std::string& input = paths[loaded[i]];
        try {
            RenderPicture(state, input, chain);
        } catch (const OrbaluxError& e) {
            result.leftOut.push_back(e);  // changed or gone since the first pass
            return std::nullopt;
        }
        GreyFromBitmap(state, picture);
        return picture;
    };
    auto report = [&](std::size_t done, std::size_t) {
        return !progress || progress(paths.size() + loaded[done - 1] + 1, total);
    };
    result.written = WriteMovie(path, settings, loaded.size(), source, report);
    return result;
}

}  // namespace orbalux
