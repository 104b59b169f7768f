// The converter's command line: what to convert, how, and where to.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "load/chain_settings.h"
#include "output/picture_writer.h"

namespace orbalux::cli {

using OutputFormat = PictureFormat;

enum class RunMode { Convert, Info, ContactSheet, Help, Version };

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
