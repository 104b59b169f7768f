// Runs one piece of work per file on several threads. The core's picture
// state belongs to one load at a time, so every worker has its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/progress_reporter.h"
#include "state/picture_state.h"

namespace orbalux::cli {

// The work for file `index`, giving the warnings of its load; an exception
// marks that file failed (Interrupted: left undone).
using FileWork = std::function<std::vector<std::string>(PictureState& state, std::size_t index)>;

// The number of workers for `requested` (0: one per core) and `files`.
unsigned WorkerCount(unsigned requested, std::size_t files);

// Runs `work` for every index of `names` on WorkerCount threads, each file once,
// and reports each start and end to `progress` (a failure with the error's
// reason). Returns when every file is done, or, after Ctrl+C or SIGTERM, when
// the files in progress are given up; no file starts after the signal.
void RunInParallel(const std::vector<std::string>& names, unsigned jobs, const FileWork& work,
                   ProgressReporter& progress);

}  // namespace orbalux::cli
