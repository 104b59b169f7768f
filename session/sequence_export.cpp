// Export Sequence: the list's entries in the movie's order, written by the
// two-pass movie with the menus' settings.
#include "session/sequence_export.h"

#include "movie/movie_format.h"
#include "movie/picture_movie.h"
#include "state/orbalux_error.h"

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

    SequenceResult result;
    PictureMovieHooks hooks;
    hooks.leftOut = [&](std::size_t, const std::exception& e) {
        const auto* error = dynamic_cast<const OrbaluxError*>(&e);
        if (error) result.leftOut.push_back(*error);
        return error != nullptr;
    };
    // Entries measured, then framed, out of twice the count.
    hooks.progress = [&](const MovieStep& step) {
        const std::size_t before = step.pass == MoviePass::Measure ? 0 : paths.size();
        return !progress || progress(before + step.index + 1, 2 * paths.size());
    };
    result.written = WritePictureMovie(path, paths, session.MenuSettings(), {}, settings, hooks).written;
    return result;
}

}  // namespace orbalux
