// The browser's Export Sequence: entries of the list, from the shown picture
// to a chosen end (or the whole list), each as a newly loaded picture would
// look with the menus as they are, written as one GIF, MP4 or WebM movie.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "load/chain_settings.h"
#include "movie/movie_writer.h"
#include "session/browsing_session.h"

namespace orbalux {

struct SequenceRange {
    int first = 0;  // 1-based entries of the list, both ends included;
    int last = 0;   // last may lie before first (the movie runs backward)
};

// The files of entries `range` of the list, in the movie's order; empty when
// either end is off the list.
std::vector<std::string> SequencePaths(const BrowsingSession& session, SequenceRange range);

// What the export reports: entries measured, then framed, out of twice the
// count; returning false cancels (no file is left).
using SequenceProgress = std::function<bool(std::size_t done, std::size_t total)>;

struct SequenceResult {
    bool written = false;                 // false: cancelled, nothing written
    std::vector<OrbaluxError> leftOut;    // entries that did not load
};

// Writes the movie at `path` (its format by the extension). Entries that fail
// to load are left out; throws OrbaluxError when the movie cannot be written
// or none loaded.
SequenceResult ExportSequence(const BrowsingSession& session, SequenceRange range, const std::string& path,
                              int fps, const SequenceProgress& progress);

}  // namespace orbalux
