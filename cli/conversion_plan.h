// From the command line to the list of conversions: which files, which
// outputs, and the checks that keep an output from overwriting an input.
#pragma once

#include <string>
#include <vector>

#include "cli/convert_options.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {

struct ConversionTask {
    std::string input;   // path as given, or folder + listed name
    std::string output;  // path of the file to write
};

// The files of the INPUTs, and the folders among them that could not be
// listed and the --files-from list that could not be read (each a failure of
// the run).
struct InputList {
    std::vector<std::string> files;
    std::vector<OrbaluxError> unlisted;
};

struct ConversionPlan {
    OutputFormat format = OutputFormat::Png;
    std::string outputFolder;  // the folder to make first; empty for a single file
    bool toStandardOutput = false;  // -o -: one task, its output "-"
    std::vector<ConversionTask> tasks;
    std::vector<OrbaluxError> unlisted;  // input folders that could not be listed
};

// Every INPUT in order; a folder is replaced by its picture files in list
// order (ListPictureFiles), anything else is kept as a file to read. A folder
// that cannot be listed gives no file and its error.
InputList ExpandInputs(const std::vector<std::string>& inputs);

// ExpandInputs of the options' INPUTs, the unreadable --files-from list
// first among the failures; throws UsageError when --as is given
// and they are not one file.
InputList InputFiles(const ConvertOptions& options);

// The conversions that `options` asks for (RunMode::Convert). Throws
// UsageError for an output that cannot be right: a file name for several
// inputs, a name for one input whose extension is neither .bmp nor .png (and
// no folder), a folder path that is a file, an extension that contradicts
// --format, an output that is one of the inputs, two inputs with one output,
// standard output for anything but one file; --png-level for a BMP output,
// --skip-existing for standard output.
ConversionPlan PlanConversion(const ConvertOptions& options);

// Whether the task's output exists as a file written after its input was
// last changed.
bool OutputIsNewer(const ConversionTask& task);

// What --skip-existing does with a task's output.
enum class ExistingOutput {
    Missing,       // none, or older than its input: converted
    Kept,          // newer, and its "Options" text names this run's options
    OtherOptions,  // newer, but made with other options (or says none): converted again
    Unrecorded,    // newer, but a BMP, which records no options: converted again
};

struct ExistingOutputCheck {
    ExistingOutput verdict = ExistingOutput::Missing;
    std::string recorded;  // the options the output says it was made with (OtherOptions)
};

// Decides for --skip-existing: only an output that is newer than its input
// and was made with `options` is left, so that a rerun with other display
// options never keeps pictures that show something else.
ExistingOutputCheck CheckExistingOutput(const ConversionTask& task, OutputFormat format, const ConvertOptions& options);

// The output's name for an input: its file name with ".bmp" or ".png" added.
std::string OutputNameFor(const std::string& input, OutputFormat format);

// Throws UsageError when `path` cannot be written as one file: it is a folder
// or one of `inputs`.
void CheckOutputFile(const std::string& path, const std::vector<std::string>& inputs);

}  // namespace orbalux::cli
