#include "cli/convert_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <string_view>

namespace orbalux::cli {
namespace {

// Switches that set one chain flag: option name, the flag it sets.
struct FlagOption {
    std::string_view name;
    int DisplayOptions::*flag;
};
constexpr std::array<FlagOption, 8> kFlagOptions = {{
    {"--stretch", &DisplayOptions::Stretch},
    {"--despeckle", &DisplayOptions::Despeckle},
    {"--flip", &DisplayOptions::FlipVertical},
    {"--rotate", &DisplayOptions::Rotate},
    {"--invert", &DisplayOptions::Invert},
    {"--half", &DisplayOptions::MinimizeHalf},
    {"--quarter", &DisplayOptions::MinimizeQuarter},
    {"--fill-missing", &DisplayOptions::FillMissingLine},
}};

// Neither level has a bound of its own; these keep the tone arithmetic far
// from integer overflow while reaching every visible result.
constexpr int kLevelLimit = 1'000'000;
constexpr int kMaxJobs = 256;
constexpr int kMinThumb = 16;
constexpr int kMaxThumb = 4096;

int ParseInt(std::string_view option, std::string_view text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && ptr == end && (value < low || value > high)))
        throw UsageError(std::string(option) + ": " + std::string(text) + " is out of range " + std::to_string(low) +
                         ".." + std::to_string(high));
    if (ec != std::errc() || ptr != end || text.empty())
        throw UsageError(std::string(option) + ": '" + std::string(text) + "' is not a whole number");
    return value;
}

OutputFormat ParseFormat(std::string_view text) {
    if (text == "bmp") return OutputFormat::Bmp;
    if (text == "png") return OutputFormat::Png;
    throw UsageError("--format: '" + std::string(text) + "' is neither bmp nor png");
}

}  // namespace

ConvertOptions ParseConvertArguments(const std::vector<std::string>& args) {
    ConvertOptions options;
    bool info = false, help = false, version = false, sheetGiven = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            options.inputs.insert(options.inputs.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            options.inputs.push_back(arg);
            continue;
        }

        // "--name=value" and "--name value" are both accepted for valued options.
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
            return args[++i];
        };
        auto noValue = [&] {
            if (inlineValue) throw UsageError(name + " takes no value");
        };

        if (const auto* flag = std::find_if(kFlagOptions.begin(), kFlagOptions.end(),
                                            [&](const FlagOption& f) { return f.name == name; });
            flag != kFlagOptions.end()) {
            noValue();
            options.chain.menu.*(flag->flag) = 1;
        } else if (name == "--horizontal-stretch") {
            noValue();
            options.chain.horizontalStretch = 1;
        } else if (name == "--keep-gaps") {
            noValue();
            options.chain.compressMissingLines = 0;
        } else if (name == "--original") {
            noValue();
            options.chain.original = true;
        } else if (name == "--brightness") {
            options.chain.brightness = ParseInt(name, value(), -kLevelLimit, kLevelLimit);
        } else if (name == "--contrast") {
            options.chain.contrast = ParseInt(name, value(), -kLevelLimit, kLevelLimit);
        } else if (name == "-o" || name == "--output") {
            std::string path = value();
            if (path.empty()) throw UsageError(name + " needs a value");
            options.output = path;
        } else if (name == "--format") {
            options.format = ParseFormat(value());
        } else if (name == "--png-level") {
            options.pngLevel = ParseInt(name, value(), 0, 9);
        } else if (name == "--jobs" || name == "-j") {
            options.jobs = static_cast<unsigned>(ParseInt(name, value(), 1, kMaxJobs));
        } else if (name == "--quiet" || name == "-q") {
            noValue();
            options.quiet = true;
        } else if (name == "--info") {
            noValue();
            info = true;
        } else if (name == "--contact-sheet") {
            options.sheet = value();
            if (options.sheet.empty()) throw UsageError(name + " needs a value");
            sheetGiven = true;
        } else if (name == "--thumb") {
            options.thumbSize = ParseInt(name, value(), kMinThumb, kMaxThumb);
        } else if (name == "--help" || name == "-h") {
            help = true;
        } else if (name == "--version") {
            version = true;
        } else {
            throw UsageError("unknown option " + name);
        }
    }

    if (help) {
        options.mode = RunMode::Help;
        return options;
    }
    if (version) {
        options.mode = RunMode::Version;
        return options;
    }
    if (info && sheetGiven) throw UsageError("--info and --contact-sheet exclude each other");
    options.mode = info ? RunMode::Info : sheetGiven ? RunMode::ContactSheet : RunMode::Convert;

    if (options.inputs.empty()) throw UsageError("no INPUT given");
    if (options.chain.original && TouchesChain(options.chain))
        throw UsageError("--original shows the decoded picture; it takes no other display option");
    if (options.mode == RunMode::Convert && !options.output) throw UsageError("no output given (-o)");
    if (options.mode != RunMode::Convert && options.output)
        throw UsageError("-o is for conversion; --info prints and --contact-sheet names its own file");
    return options;
}

std::string VersionText() { return std::string("orbalux-convert ") + ORBALUX_VERSION + "\n"; }

std::string HelpText() {
    return R"(Usage:
  orbalux-convert [OPTIONS] INPUT -o OUTPUT.bmp|OUTPUT.png
  orbalux-convert [OPTIONS] INPUT... -o OUTDIR
  orbalux-convert --info INPUT...
  orbalux-convert --contact-sheet SHEET.png [OPTIONS] INPUT...

Converts Mariner 6 and 7 picture files to BMP or 8-bit greyscale PNG, with the
browser's display options applied. An INPUT that is a folder stands for its
picture files (names beginning 69_, RBL_, ED_ or JAC_ in any letter case).
Each output is named after its input with .bmp or .png appended.

Output:
  -o, --output PATH      a .bmp or .png file for one INPUT, else a folder
                         (made when missing)
  --format bmp|png       output format in a folder (default png)
  --png-level N          PNG compression 0..9 (default 1: fast)
  -j, --jobs N           files converted at once (default: number of cores)
  -q, --quiet            no progress and no summary line

Display options (as the browser's menus):
  --stretch              per-file contrast stretch
  --despeckle            remove single bright and dark pixels
  --flip                 flip vertically
  --rotate               turn by 180 degrees
  --invert               negative
  --half, --quarter      reduce to 1/2 or 1/4 on a grey field
  --fill-missing         fill single missing lines
  --horizontal-stretch   widen the 136-sample pictures six times
  --keep-gaps            show two or more missing lines as blank rows
  --brightness N         brightness level (the browser steps it by 20)
  --contrast N           contrast level, added to the gain
  --original             the decoded picture without any display option

Other:
  --info                 print the file's parameters and header lines
  --contact-sheet SHEET.png
                         one PNG with a labelled thumbnail of every INPUT
  --thumb N              thumbnail size on the long side (default 160)
  -h, --help             this text
  --version              the program's version

Exit status: 0 all converted, 1 a file failed, 2 wrong usage.
)";
}

}  // namespace orbalux::cli
