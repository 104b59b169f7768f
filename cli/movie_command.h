// --movie: every input rendered with the chosen display options, one frame
// each in list order, as a GIF, MP4 or WebM movie.
#pragma once

#include "cli/convert_command.h"
#include "cli/convert_options.h"

namespace orbalux::cli {

// Renders the inputs once in parallel for their sizes (reporting the ones
// that fail, which the movie leaves out), then again one by one into the
// movie's frames. Throws UsageError when the movie's path is a folder or one
// of the inputs. Returns kExitFailed when a picture failed (the movie then
// holds the others), when none is left, or when the movie could not be
// written; after a signal, the interrupted status and no movie.
int RunMovie(const ConvertOptions& options, const CommandStreams& io);

}  // namespace orbalux::cli
