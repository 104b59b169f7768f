// The converter's measurements of the shown picture: --info --stats and
// --profile, over the same definitions as the browser's Region and Profile
// windows.
#pragma once

#include "cli/convert_command.h"
#include "cli/convert_options.h"
#include "processing/measurements.h"
#include "state/picture_state.h"

namespace orbalux::cli {

// The statistics --stats asks for over the picture rendered in `state`.
// Throws UsageError, naming the picture's size, when the rectangle does not
// lie inside the picture.
RegionStatistics StatisticsFor(const ConvertOptions& options, const PictureState& state);

// --profile: the one INPUT rendered with the display options, its profile as
// CSV on `io.out`. A line that leaves the picture is wrong usage (UsageError);
// a file that cannot be loaded fails (kExitFailed).
int RunProfile(const ConvertOptions& options, const CommandStreams& io);

}  // namespace orbalux::cli
