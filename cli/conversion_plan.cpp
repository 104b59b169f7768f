#include "cli/conversion_plan.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "intake/file_list.h"
#include "intake/picture_file.h"
#include "output/png_text.h"

namespace orbalux::cli {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The same file seen through different spellings of its path.
std::string SameFileKey(const std::string& path) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : canonical.lexically_normal().string();
}

std::string LowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

const char* Extension(OutputFormat format) { return format == OutputFormat::Bmp ? ".bmp" : ".png"; }

ConversionPlan PlanOutputs(const ConvertOptions& options);

}  // namespace

InputList ExpandInputs(const std::vector<std::string>& inputs) {
    InputList list;
    for (const std::string& input : inputs) {
        if (!IsDirectory(input)) {
            list.files.push_back(input);
            continue;
        }
        try {
            for (const std::string& name : ListPictureFiles(input)) list.files.push_back(JoinPath(input, name));
        } catch (const OrbaluxError& e) {
            list.unlisted.push_back(e);
        }
    }
    return list;
}

InputList InputFiles(const ConvertOptions& options) {
    InputList list = ExpandInputs(options.inputs);
    if (options.listFailure) list.unlisted.insert(list.unlisted.begin(), *options.listFailure);
    if (!options.catalogueName.empty() && list.unlisted.empty() && list.files.size() != 1)
        throw UsageError("--as names the catalogue entry of one file; " + options.inputs.front() + " holds " +
                         std::to_string(list.files.size()));
    return list;
}

std::string OutputNameFor(const std::string& input, OutputFormat format) {
    std::string name = FileNamePart(input);
    return name + Extension(format);
}

void CheckOutputFile(const std::string& path, const std::vector<std::string>& inputs) {
    if (IsDirectory(path)) throw UsageError(path + " is a folder, not a file to write");
    const std::string key = SameFileKey(path);
    for (const std::string& input : inputs)
        if (SameFileKey(input) == key) throw UsageError(path + " would overwrite the input " + input);
}

ConversionPlan PlanConversion(const ConvertOptions& options) {
    ConversionPlan plan = PlanOutputs(options);
    if (options.pngLevelGiven && plan.format == OutputFormat::Bmp)
        throw UsageError("--png-level does nothing for a BMP output");
    if (options.skipExisting && plan.toStandardOutput) throw UsageError("--skip-existing does nothing with -o -");
    return plan;
}

bool OutputIsNewer(const ConversionTask& task) {
    std::error_code ec;
    if (!fs::is_regular_file(task.output, ec)) return false;
    const auto written = fs::last_write_time(task.output, ec);
    if (ec) return false;
    const auto read = fs::last_write_time(task.input, ec);
    // Equal times cannot tell which came first: converting again is safe.
    return !ec && written > read;
}

ExistingOutputCheck CheckExistingOutput(const ConversionTask& task, OutputFormat format,
                                        const ConvertOptions& options) {
    if (!OutputIsNewer(task)) return {};
    if (format == OutputFormat::Bmp) return {ExistingOutput::Unrecorded, {}};
    // The converter's own PNGs say which display options made them.
    const std::optional<std::string> recorded = ReadPngTextChunk(task.output, "Options");
    if (recorded && *recorded == AppliedOptionsText(options.chain)) return {ExistingOutput::Kept, {}};
    return {ExistingOutput::OtherOptions, recorded.value_or("")};
}

namespace {

ConversionPlan PlanOutputs(const ConvertOptions& options) {
    const std::string& out = *options.output;
    InputList listed = InputFiles(options);
    const std::vector<std::string>& inputs = listed.files;
    const std::string ext = LowerExtension(out);
    const bool oneFile = options.inputs.size() == 1 && !IsDirectory(options.inputs.front());
    const bool namesFile = !IsDirectory(out) && out.back() != '/' && (ext == ".bmp" || ext == ".png");

    ConversionPlan plan;
    plan.unlisted = std::move(listed.unlisted);
    if (out == kStandardOutput) {
        if (!oneFile) throw UsageError("-o - writes one picture to standard output; give one INPUT file");
        plan.format = options.format.value_or(OutputFormat::Png);
        plan.toStandardOutput = true;
        plan.tasks.push_back({inputs.front(), out});
        return plan;
    }
    // One picture named with another extension is a mistake far more often
    // than a new folder of that name.
    if (oneFile && !namesFile && !Exists(out) && out.back() != '/' && !ext.empty())
        throw UsageError(out + ": a picture is written as .bmp or .png (a folder for it must exist already)");
    if (namesFile) {
        if (options.inputs.size() != 1 || IsDirectory(options.inputs.front()))
            throw UsageError(out + " names one file; several inputs need a folder for -o");
        const OutputFormat byName = ext == ".bmp" ? OutputFormat::Bmp : OutputFormat::Png;
        if (options.format && *options.format != byName)
            throw UsageError("--format contradicts the extension of " + out);
        CheckOutputFile(out, inputs);
        plan.format = byName;
        plan.tasks.push_back({inputs.front(), out});
        return plan;
    }

    if (Exists(out) && !IsDirectory(out)) throw UsageError(out + " is not a folder");
    plan.format = options.format.value_or(OutputFormat::Png);
    plan.outputFolder = out;

    std::set<std::string> inputKeys;
    for (const std::string& input : inputs) inputKeys.insert(SameFileKey(input));
    std::set<std::string> outputKeys;
    for (const std::string& input : inputs) {
        ConversionTask task{input, JoinPath(out, OutputNameFor(input, plan.format))};
        const std::string key = SameFileKey(task.output);
        if (inputKeys.count(key)) throw UsageError(task.output + " would overwrite an input");
        if (!outputKeys.insert(key).second)
            throw UsageError("two inputs named " + FileNamePart(input) + " would write the same " + task.output);
        plan.tasks.push_back(std::move(task));
    }
    return plan;
}

}  // namespace

}  // namespace orbalux::cli
