// --contact-sheet: every input rendered, reduced and laid out on one PNG.
#pragma once

#include "cli/convert_command.h"
#include "cli/convert_options.h"

namespace orbalux::cli {

// Renders the inputs in parallel, writes the sheet atomically. Throws
// UsageError when the sheet's path is a folder or one of the inputs. Returns
// kExitFailed when a picture failed (the sheet then holds the others) or the
// sheet could not be written; after a signal, the interrupted status and no
// sheet.
int RunContactSheet(const ConvertOptions& options, const CommandStreams& io);

}  // namespace orbalux::cli
