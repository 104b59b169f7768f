// From the command line to the list of conversions: which files, which
// outputs, and the checks that keep an output from overwriting an input.
#pragma once

#include <string>
#include <vector>

#include "cli/convert_options.h"

namespace orbalux::cli {

struct ConversionTask {
    std::string input;   // path as given, or folder + listed name
    std::string output;  // path of the file to write
};

struct ConversionPlan {
    OutputFormat format = OutputFormat::Png;
    std::string outputFolder;  // the folder to make first; empty for a single file
    bool toStandardOutput = false;  // -o -: one task, its output "-"
    std::vector<ConversionTask> tasks;
};

// Every INPUT in order; a folder is replaced by its picture files in list
// order (ListPictureFiles), anything else is kept as a file to read.
std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs);

// ExpandInputs of the options' INPUTs; throws UsageError when --as is given
// and they are not one file.
std::vector<std::string> InputFiles(const ConvertOptions& options);

// The conversions that `options` asks for (RunMode::Convert). Throws
// UsageError for an output that cannot be right: a file name for several
// inputs, a name for one input whose extension is neither .bmp nor .png (and
// no folder), a folder path that is a file, an extension that contradicts
// --format, an output that is one of the inputs, two inputs with one output,
// standard output for anything but one file.
ConversionPlan PlanConversion(const ConvertOptions& options);

// The output's name for an input: its file name with ".bmp" or ".png" added.
std::string OutputNameFor(const std::string& input, OutputFormat format);

// Throws UsageError when `path` cannot be written as one file: it is a folder
// or one of `inputs`.
void CheckOutputFile(const std::string& path, const std::vector<std::string>& inputs);

}  // namespace orbalux::cli
