#include "cli/convert_options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <set>
#include <string_view>

#include "movie/movie_format.h"
#include "movie/movie_writer.h"
#include "processing/display_options.h"
#include "state/ascii_names.h"
#include "state/path_parts.h"

namespace orbalux::cli {
namespace {

// The run modes an option means something in.
enum ModeMask : unsigned {
    kConvert = 1,
    kInfo = 2,
    kSheet = 4,
    kMovie = 8,
    kAnyMode = 15,
    kPicture = kConvert | kSheet | kMovie
};

enum class Section { Input, Output, Display, Other };

// The converter's own options; the display switches and tone levels come
// from the shared tables.
enum class Own { FilesFrom, Null, Output, Format, PngLevel, SkipExisting, Jobs, Quiet, Original, Info, Json, Strict, As,
                 ContactSheet, Thumb, Movie, Fps, Label, Help, Version };

struct OwnOptionRow {
    Own id;
    char shortName;          // 0: long name only
    std::string_view name;   // without "--"
    std::string_view value;  // the value's name in the help, "" for a switch
    unsigned modes;
    Section section;
    std::string_view help;   // lines after the first are continued
};

// The columns line up so that the rows read as a table.
// clang-format off
// id                 short name             value          modes     section           help
constexpr std::array<OwnOptionRow, 20> kOwnOptions{{
    {Own::FilesFrom,    0,   "files-from",    "FILE",        kAnyMode, Section::Input,   "read more INPUTs from FILE (- for standard input),\none name a line"},
    {Own::Null,         '0', "null",          "",            kAnyMode, Section::Input,   "the --files-from names end in NUL, not newline\n(find -print0)"},
    {Own::Output,       'o', "output",        "PATH",        kConvert, Section::Output,  "a .bmp or .png file for one INPUT, - for standard\noutput, else a folder (made when missing)"},
    {Own::Format,       0,   "format",        "bmp|png",     kConvert, Section::Output,  "output format in a folder or on standard output\n(default png; any letter case)"},
    {Own::PngLevel,     0,   "png-level",     "N",           kConvert | kSheet, Section::Output, "PNG compression 0..9 (default 1: fast)"},
    {Own::SkipExisting, 0,   "skip-existing", "",            kConvert, Section::Output,  "leave an output that is newer than its input and\nwas made with the same options (a PNG's Options\ntext; a BMP records none and is made again), so\nthat a stopped batch goes on where it stopped"},
    {Own::Jobs,         'j', "jobs",          "N",           kPicture, Section::Output,  "files converted at once (default 0: one per core)"},
    {Own::Quiet,        'q', "quiet",         "",            kPicture, Section::Output,  "no progress and no summary line"},
    {Own::Original,     0,   "original",      "",            kPicture, Section::Display, "the decoded picture without any display option"},
    {Own::Info,         0,   "info",          "",            kAnyMode, Section::Other,   "print the file's parameters and header lines"},
    {Own::Json,         0,   "json",          "",            kInfo,    Section::Other,   "with --info: one JSON object a line, one per file"},
    {Own::Strict,       0,   "strict",        "",            kAnyMode, Section::Other,   "a file cut short or not in the catalogue fails the\nrun (exit 1)"},
    {Own::As,           0,   "as",            "NAME",        kAnyMode, Section::Other,   "decode the one INPUT by the catalogue entry of NAME\n(a renamed copy)"},
    {Own::ContactSheet, 0,   "contact-sheet", "SHEET.png",   kAnyMode, Section::Other,   "one PNG with a labelled thumbnail of every INPUT;\nthe narrow formats are widened six times"},
    {Own::Thumb,        0,   "thumb",         "N",           kSheet,   Section::Other,   "thumbnail size on the long side (default 160)"},
    {Own::Movie,        0,   "movie",         "OUT.gif|OUT.mp4|OUT.webm", kAnyMode, Section::Other, "one movie of the INPUTs in list order, one frame\neach, centred on black on a canvas of the largest"},
    {Own::Fps,          0,   "fps",           "N",           kMovie,   Section::Other,   "movie frames a second, 1..60, a GIF's at most 50\n(default 10)"},
    {Own::Label,        0,   "label",         "",            kMovie,   Section::Other,   "write each picture's file name into its frame's\nlower left corner"},
    {Own::Help,         'h', "help",          "",            kAnyMode, Section::Other,   "this text"},
    {Own::Version,      0,   "version",       "",            kAnyMode, Section::Other,   "the program's version"},
}};
// clang-format on

// getopt_long's codes: a short option's letter, or these for the rest.
constexpr int kOwnCode = 256;
constexpr int kDisplayCode = 512;
constexpr int kToneCode = 768;
constexpr int kStretchCode = 1024;

// At most this many conversions at once; a contact sheet thumbnail's long
// side in pixels.
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
    if (EqualIgnoringAsciiCase(text, "bmp")) return OutputFormat::Bmp;
    if (EqualIgnoringAsciiCase(text, "png")) return OutputFormat::Png;
    throw UsageError("--format: '" + std::string(text) + "' is neither bmp nor png");
}

// One option of the command line as getopt_long sees it, with the rules the
// converter adds: its run modes and its place in the help.
struct OptionEntry {
    int code;
    char shortName;
    std::string name;
    std::string value;
    unsigned modes;
    Section section;
    std::string help;
    bool optionalValue = false;  // "--name" alone, or "--name=value"
};

std::vector<OptionEntry> AllOptions() {
    std::vector<OptionEntry> all;
    for (const OwnOptionRow& row : kOwnOptions)
        all.push_back({row.shortName ? row.shortName : kOwnCode + static_cast<int>(row.id), row.shortName,
                       std::string(row.name), std::string(row.value), row.modes, row.section, std::string(row.help)});
    const auto display = DisplayOptionTable();
    for (std::size_t i = 0; i < display.size(); ++i)
        all.push_back({kDisplayCode + static_cast<int>(i), 0, std::string(display[i].cliOption), "", kPicture,
                       Section::Display, std::string(display[i].help)});
    const auto stretches = PictureStretchTable();
    for (std::size_t i = 0; i < stretches.size(); ++i)
        all.push_back({kStretchCode + static_cast<int>(i), 0, std::string(stretches[i].cliOption),
                       stretches[i].takesPercentiles ? "LOW,HIGH" : "", kPicture, Section::Display,
                       std::string(stretches[i].help), stretches[i].takesPercentiles});
    const auto tones = ToneLevelTable();
    for (std::size_t i = 0; i < tones.size(); ++i)
        all.push_back({kToneCode + static_cast<int>(i), 0, std::string(tones[i].cliOption), "N", kPicture,
                       Section::Display, std::string(tones[i].help)});
    return all;
}

const OptionEntry* EntryByCode(const std::vector<OptionEntry>& all, int code) {
    const auto it = std::find_if(all.begin(), all.end(), [code](const OptionEntry& e) { return e.code == code; });
    return it == all.end() ? nullptr : &*it;
}

std::string Spelling(const OptionEntry& entry) { return "--" + entry.name; }

// The message for a long option getopt_long did not take: unknown, or the
// beginning of several names.
std::string UnknownLongOption(const std::vector<OptionEntry>& all, const std::string& arg) {
    const std::string name = arg.substr(2, arg.find('=') - 2);
    std::string candidates;
    for (const OptionEntry& e : all)
        if (e.name.starts_with(name)) candidates += (candidates.empty() ? "" : ", ") + Spelling(e);
    if (!name.empty() && candidates.find(',') != std::string::npos)
        return "--" + name + " is ambiguous: " + candidates;
    return "unknown option --" + name;
}

const char* ModeWords(RunMode mode) {
    switch (mode) {
        case RunMode::Info: return "with --info";
        case RunMode::ContactSheet: return "with --contact-sheet";
        case RunMode::Movie: return "with --movie";
        default: return "when converting";
    }
}

unsigned ModeBit(RunMode mode) {
    switch (mode) {
        case RunMode::Info: return kInfo;
        case RunMode::ContactSheet: return kSheet;
        case RunMode::Movie: return kMovie;
        default: return kConvert;
    }
}

// A word that begins with a digit or a point and holds a comma: a LOW,HIGH
// pair, or a mistyped one to refuse, never a picture file's name.
bool LooksLikePercentiles(std::string_view word) {
    return !word.empty() && ((word[0] >= '0' && word[0] <= '9') || word[0] == '.') &&
           word.find(',') != std::string_view::npos;
}

bool HasPngExtension(const std::string& path) {
    const std::string_view name = FileNameOf(path);
    return name.size() > 4 && EndsWithIgnoringAsciiCase(name, ".png");
}

}  // namespace

ConvertOptions ParseConvertArguments(const std::vector<std::string>& args) {
    const std::vector<OptionEntry> all = AllOptions();
    std::vector<option> longOptions;
    std::string shortOptions = ":";  // ':' first: a missing value is told apart from an unknown option
    for (const OptionEntry& e : all) {
        longOptions.push_back({e.name.c_str(),
                               e.value.empty() ? no_argument : e.optionalValue ? optional_argument : required_argument,
                               nullptr, e.code});
        if (e.shortName) shortOptions += e.value.empty() ? std::string(1, e.shortName) : std::string{e.shortName, ':'};
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    // getopt_long reorders its argument vector: it works on a copy.
    std::vector<std::string> storage = args;
    storage.insert(storage.begin(), "orbalux-convert");
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());

    ConvertOptions options;
    bool info = false, help = false, version = false, sheetGiven = false, movieGiven = false;
    std::vector<const OptionEntry*> given;
    std::set<int> valuesGiven;
    optind = 0;  // a fresh scan
    opterr = 0;  // the messages are ours
    for (int code; (code = getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(), nullptr)) != -1;) {
        if (code == '?') {
            // optopt is 0 for a long name none or several options begin
            // with, the option's code for a switch given a value, else the
            // unknown letter.
            if (optopt == 0) throw UsageError(UnknownLongOption(all, argv[optind - 1]));
            if (const OptionEntry* entry = EntryByCode(all, optopt)) throw UsageError(Spelling(*entry) + " takes no value");
            throw UsageError("unknown option -" + std::string(1, static_cast<char>(optopt)));
        }
        if (code == ':') {
            const OptionEntry* entry = EntryByCode(all, optopt);
            throw UsageError((entry ? Spelling(*entry) : std::string("an option")) + " needs a value");
        }
        const OptionEntry* entry = EntryByCode(all, code);
        if (!entry) throw UsageError("unknown option");
        given.push_back(entry);
        const std::string name = Spelling(*entry);
        const std::string value = entry->value.empty() || !optarg ? std::string() : std::string(optarg);
        if (!entry->value.empty() && (optarg || !entry->optionalValue) && !valuesGiven.insert(code).second)
            throw UsageError(name + " given twice");

        if (code >= kStretchCode) {
            const PictureStretchRow& row = PictureStretchTable()[static_cast<std::size_t>(code - kStretchCode)];
            options.chain.menu.*row.flag = 1;
            // "--percent-stretch 1,99": the word after a blank is the value
            // when it has the shape of one, so it is never opened as a file.
            std::string pairText = value;
            if (!optarg && row.takesPercentiles && optind < argc && LooksLikePercentiles(argv[optind])) {
                pairText = argv[optind++];
                if (!valuesGiven.insert(code).second) throw UsageError(name + " given twice");
            }
            if (optarg || !pairText.empty()) {
                const std::optional<PercentilePair> pair = ParsePercentiles(pairText);
                if (!pair)
                    throw UsageError(name + ": '" + pairText +
                                     "' is not LOW,HIGH: two percentiles from 0 to 100, the low one first");
                options.chain.lowPercentile = pair->low;
                options.chain.highPercentile = pair->high;
            }
            continue;
        }
        if (code >= kToneCode) {
            ToneLevel(options.chain, ToneLevelTable()[static_cast<std::size_t>(code - kToneCode)]) =
                ParseInt(name, value, -kToneLevelLimit, kToneLevelLimit);
            continue;
        }
        if (code >= kDisplayCode) {
            SetOption(options.chain, DisplayOptionTable()[static_cast<std::size_t>(code - kDisplayCode)], true);
            continue;
        }
        const Own id = entry->shortName ? std::find_if(kOwnOptions.begin(), kOwnOptions.end(), [&](const OwnOptionRow& r) {
                                                return r.shortName == entry->shortName;
                                            })->id
                                        : static_cast<Own>(code - kOwnCode);
        switch (id) {
            case Own::Output:
                if (value.empty()) throw UsageError(name + " needs a value");
                options.output = value;
                break;
            case Own::Format: options.format = ParseFormat(value); break;
            case Own::FilesFrom:
                if (value.empty()) throw UsageError(name + " needs a value");
                options.filesFrom = value;
                break;
            case Own::Null: options.nulSeparated = true; break;
            case Own::PngLevel:
                options.pngLevel = ParseInt(name, value, 0, 9);
                options.pngLevelGiven = true;
                break;
            case Own::SkipExisting: options.skipExisting = true; break;
            case Own::Jobs: options.jobs = static_cast<unsigned>(ParseInt(name, value, 0, kMaxJobs)); break;
            case Own::Quiet: options.quiet = true; break;
            case Own::Original: options.chain.original = true; break;
            case Own::Info: info = true; break;
            case Own::Json: options.json = true; break;
            case Own::Strict: options.strict = true; break;
            case Own::As:
                if (value.empty()) throw UsageError(name + " needs a value");
                options.catalogueName = value;
                break;
            case Own::ContactSheet:
                if (value.empty()) throw UsageError(name + " needs a value");
                options.sheet = value;
                sheetGiven = true;
                break;
            case Own::Thumb: options.thumbSize = ParseInt(name, value, kMinThumb, kMaxThumb); break;
            case Own::Movie:
                if (value.empty()) throw UsageError(name + " needs a value");
                options.movie = value;
                movieGiven = true;
                break;
            case Own::Fps: options.fps = ParseInt(name, value, kMinMovieFps, kMaxMovieFps); break;
            case Own::Label: options.label = true; break;
            case Own::Help: help = true; break;
            case Own::Version: version = true; break;
        }
    }
    for (int i = optind; i < argc; ++i) options.inputs.emplace_back(argv[static_cast<std::size_t>(i)]);

    if (help) {
        options.mode = RunMode::Help;
        return options;
    }
    if (version) {
        options.mode = RunMode::Version;
        return options;
    }
    if (info + sheetGiven + movieGiven > 1)
        throw UsageError("--info, --contact-sheet and --movie exclude each other");
    options.mode = info         ? RunMode::Info
                   : sheetGiven ? RunMode::ContactSheet
                   : movieGiven ? RunMode::Movie
                                : RunMode::Convert;

    if (options.inputs.empty() && options.filesFrom.empty()) throw UsageError("no INPUT given");
    if (options.nulSeparated && options.filesFrom.empty())
        throw UsageError("--null says how the --files-from list is written; give --files-from");
    for (const OptionEntry* entry : given)
        if (!(entry->modes & ModeBit(options.mode)))
            throw UsageError(Spelling(*entry) + " does nothing " + ModeWords(options.mode));
    if (StretchesChosen(options.chain.menu) > 1)
        throw UsageError("--stretch, --percent-stretch and --equalize exclude each other");
    if (options.chain.original && TouchesChain(options.chain))
        throw UsageError("--original shows the decoded picture; it takes no other display option");
    if (options.mode == RunMode::Convert && !options.output) throw UsageError("no output given (-o)");
    if (!options.catalogueName.empty() && options.inputs.size() != 1 && options.filesFrom.empty())
        throw UsageError("--as names the catalogue entry of one file; give one INPUT");
    if (options.mode == RunMode::ContactSheet) {
        if (!HasPngExtension(options.sheet))
            throw UsageError("--contact-sheet writes a PNG: " + options.sheet + " needs the .png extension");
        // The narrow formats' 136 columns would be a strip on grey.
        if (!options.chain.original) options.chain.horizontalStretch = 1;
    }
    if (options.mode == RunMode::Movie && !MovieFormatForPath(options.movie))
        throw UsageError("--movie writes " + MovieNamePattern("OUT") + ": " + options.movie +
                         " has none of these extensions");
    if (options.mode == RunMode::Movie && options.fps > MaxMovieFps(*MovieFormatForPath(options.movie)))
        throw UsageError("--fps: a GIF holds at most " + std::to_string(kMaxGifFps) +
                         " frames a second (its delays count hundredths); give --fps " + std::to_string(kMaxGifFps) +
                         " or write MP4 or WebM");
    return options;
}

std::string AppliedOptionsText(const ChainSettings& chain) {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    if (chain.original) add("--original");
    for (const DisplayOptionRow& row : DisplayOptionTable()) {
        ChainSettings with = chain;
        SetOption(with, row, true);
        if (with == chain) add("--" + std::string(row.cliOption));
    }
    for (const PictureStretchRow& row : PictureStretchTable()) {
        if (chain.menu.*row.flag != 1) continue;
        // Built by appending, not as "--" + ...: GCC 12's -Wrestrict takes a
        // string begun with a literal for an overlapping copy, a false alarm
        // that keeps the build from being free of warnings.
        std::string option = "--";
        option += row.cliOption;
        if (row.takesPercentiles) option += '=' + PercentilesText(chain.lowPercentile, chain.highPercentile);
        add(option);
    }
    for (const ToneLevelRow& row : ToneLevelTable()) {
        ChainSettings copy = chain;
        if (const int level = ToneLevel(copy, row); level != 0)
            add("--" + std::string(row.cliOption) + " " + std::to_string(level));
    }
    return text.empty() ? "none" : text;
}

std::vector<std::string> LongOptionNames() {
    std::vector<std::string> names;
    for (const OptionEntry& e : AllOptions()) names.push_back(Spelling(e));
    return names;
}

std::string VersionText() { return std::string("orbalux-convert ") + ORBALUX_VERSION + "\n"; }

std::string HelpText() {
    constexpr std::size_t kHelpColumn = 25;
    const std::vector<OptionEntry> all = AllOptions();
    auto section = [&all](Section which) {
        // The shared table's switches first, the converter's own after them.
        std::vector<const OptionEntry*> rows;
        for (const OptionEntry& e : all)
            if (e.section == which && e.code >= kDisplayCode) rows.push_back(&e);
        for (const OptionEntry& e : all)
            if (e.section == which && e.code < kDisplayCode) rows.push_back(&e);
        std::string text;
        for (const OptionEntry* row : rows) {
            const OptionEntry& e = *row;
            std::string left = "  ";
            left += e.shortName ? std::string("-") + e.shortName + ", " : std::string();
            left += Spelling(e) + (e.value.empty() ? "" : e.optionalValue ? "[=" + e.value + "]" : " " + e.value);
            std::string help = e.help;
            std::string first = help.substr(0, help.find('\n'));
            // Two blanks at least between an option and its help, which
            // the bash completion reads.
            if (left.size() + 2 > kHelpColumn) {
                text += left + "\n" + std::string(kHelpColumn, ' ') + first + "\n";
            } else {
                text += left + std::string(kHelpColumn - left.size(), ' ') + first + "\n";
            }
            for (std::size_t at = help.find('\n'); at != std::string::npos;) {
                const std::size_t next = help.find('\n', at + 1);
                text += std::string(kHelpColumn, ' ') + help.substr(at + 1, next - at - 1) + "\n";
                at = next;
            }
        }
        return text;
    };
    // One "Usage:" or "or:" line per form: help2man makes them the manual's
    // SYNOPSIS.
    return R"(Usage: orbalux-convert [OPTIONS] INPUT -o OUTPUT.bmp|OUTPUT.png|-
  or:  orbalux-convert [OPTIONS] INPUT... -o OUTDIR
  or:  orbalux-convert --info [--json] INPUT...
  or:  orbalux-convert --contact-sheet SHEET.png [OPTIONS] INPUT...
  or:  orbalux-convert --movie OUT.gif|OUT.mp4|OUT.webm [--fps N] [--label] INPUT...

Converts Mariner 6 and 7 picture files to BMP or 8-bit greyscale PNG, with the
browser's display options applied; or makes of them a contact sheet or a GIF,
MP4 or WebM movie. An INPUT that is a folder stands for its
picture files (names beginning 69_, RBL_, ED_ or JAC_ in any letter case and
ending in a point and three digits, as 69_011.001; a converted copy or a side
file such as 69_011.001.png or 69_311.002.aux.xml is not one). Each output is
named after its input with .bmp or .png appended; a PNG carries the source
file's name, the options and the ten header lines as text.
Long options may be shortened to any unambiguous beginning.

Options:
Input:
)" + section(Section::Input) +
           "\nOutput:\n" + section(Section::Output) + "\nDisplay options (as the browser's menus):\n" +
           section(Section::Display) + "\nOther:\n" + section(Section::Other) + R"(
A file that ends before its last line, or whose name the catalogue does not
list, is converted with a warning on stderr.
A movie's frames show the pictures as the display options make them; a
picture that fails is reported and left out.
Exit status: 0 all converted, 1 a file failed (or warned, with --strict),
2 wrong usage, 130 or 143 interrupted (Ctrl+C, SIGTERM).
)";
}

}  // namespace orbalux::cli
