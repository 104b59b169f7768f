// The converter's command line: what to convert, how, and where to.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "intake/picture_state.h"

namespace orbalux::cli {

enum class OutputFormat { Bmp, Png };

enum class RunMode { Convert, Info, ContactSheet, Help, Version };

// How each picture goes through the processing chain: the menu defaults that a
// load copies in, the two decode/stretch switches, and the levels stepped
// after the load.
struct ChainSettings {
    DisplayOptions menu;
    int horizontalStretch = 0;
    int compressMissingLines = 1;
    int brightness = 0;
    int contrast = 0;
    bool original = false;  // the decoded picture, only the bitmap stages
};

constexpr int kDefaultPngLevel = 1;   // see png_writer.h
constexpr int kDefaultThumbSize = 160;

struct ConvertOptions {
    RunMode mode = RunMode::Convert;
    std::vector<std::string> inputs;
    std::optional<std::string> output;  // -o: a file or a folder
    std::optional<OutputFormat> format;
    std::string sheet;  // --contact-sheet
    int pngLevel = kDefaultPngLevel;
    int thumbSize = kDefaultThumbSize;
    unsigned jobs = 0;  // 0: one per core
    bool quiet = false;
    ChainSettings chain;
};

// Wrong usage: an unknown option, a missing or bad value, an impossible
// output. The command exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments that follow the program name. Throws UsageError.
ConvertOptions ParseConvertArguments(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();

}  // namespace orbalux::cli
