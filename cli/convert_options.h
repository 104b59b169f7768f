// The converter's command line: what to convert, how, and where to.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "load/chain_settings.h"
#include "movie/movie_writer.h"
#include "output/picture_writer.h"
#include "processing/measurements.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {

using OutputFormat = PictureFormat;

enum class RunMode { Convert, Info, ContactSheet, Movie, Profile, Help, Version };

constexpr int kDefaultThumbSize = 160;

// -o - : the one picture goes to standard output.
inline constexpr const char* kStandardOutput = "-";

struct ConvertOptions {
    RunMode mode = RunMode::Convert;
    std::vector<std::string> inputs;
    std::string filesFrom;       // --files-from: a list of INPUTs, "-" for standard input
    bool nulSeparated = false;   // -0: the list's names end in NUL, not newline
    std::optional<OrbaluxError> listFailure;  // the --files-from list could not be read: one failure of the run
    std::optional<std::string> output;  // -o: a file, a folder, or "-"
    std::optional<OutputFormat> format;
    std::string sheet;  // --contact-sheet
    int pngLevel = kDefaultPngLevel;
    bool pngLevelGiven = false;  // refused for a BMP output, where it does nothing
    bool skipExisting = false;   // an output newer than its input is left as it is
    int thumbSize = kDefaultThumbSize;
    std::string movie;           // --movie
    int fps = kDefaultMovieFps;  // --fps
    bool label = false;          // --label: the file name in each frame
    unsigned jobs = 0;  // 0: one per core
    bool quiet = false;
    bool json = false;          // --info --json
    bool strict = false;        // a warning fails the file's run
    std::string catalogueName;  // --as: decode by this name's catalogue entry
    bool stats = false;         // --stats: region statistics in --info
    std::optional<Region> statsRegion;  // its rectangle; the whole picture without one
    std::array<int, 4> profile{};       // --profile X0,Y0,X1,Y1
    ChainSettings chain;
};

// Wrong usage: an unknown option, a missing or bad value, an impossible
// output. The command exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments that follow the program name: long options by any
// unambiguous beginning, "--name=value" or "--name value", short ones
// bundled ("-qj2"), INPUTs anywhere and after "--". An option that does
// nothing in the chosen mode is wrong usage. INPUTs may all come from the
// --files-from list, which the caller reads (AddListedInputs). Throws
// UsageError.
ConvertOptions ParseConvertArguments(const std::vector<std::string>& args);

// The display options of `chain` as they are written on the command line
// ("--stretch --brightness 20"), "none" when the picture is plain.
std::string AppliedOptionsText(const ChainSettings& chain);

// Every long option of the table with its "--", as --help lists them (the
// shell completion offers the same).
std::vector<std::string> LongOptionNames();

std::string HelpText();
std::string VersionText();

}  // namespace orbalux::cli
