// INPUTs named in a list rather than on the command line (--files-from), so
// that a batch of any length can be piped in from find or a catalogue.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/convert_options.h"

namespace orbalux::cli {

// The names of a list: one a line, or each ended by NUL when `nulSeparated`
// (names that may hold a newline). Empty names are passed over; the last name
// needs no ending. Throws OrbaluxError(`listName`, reason) when reading fails.
std::vector<std::string> ReadInputList(std::FILE* list, bool nulSeparated, const std::string& listName);

// Adds the names of the options' --files-from list (standard input for "-")
// after the INPUTs of the command line. A list that cannot be read adds
// nothing and is kept as `listFailure`, which the run counts as one failed item.
void AddListedInputs(ConvertOptions& options, std::FILE* standardInput = stdin);

}  // namespace orbalux::cli
