#include "cli/contact_sheet_command.h"

#include <optional>

#include "output/atomic_file.h"
#include "cli/contact_sheet.h"
#include "cli/conversion_plan.h"
#include "cli/parallel_runner.h"
#include "load/chain_settings.h"
#include "output/png_writer.h"
#include "intake/picture_file.h"

namespace orbalux::cli {

int RunContactSheet(const ConvertOptions& options, const CommandStreams& io) {
    const std::vector<std::string> inputs = ExpandInputs(options.inputs);
    CheckOutputFile(options.sheet, inputs);
    if (inputs.empty()) {
        std::fprintf(io.err, "no picture files for the contact sheet\n");
        return kExitFailed;
    }

    std::vector<std::optional<SheetEntry>> rendered(inputs.size());
    ProgressReporter progress(io.err, inputs.size(), io.errIsTerminal, options.quiet);
    RunInParallel(inputs, options.jobs,
                  [&](PictureState& state, std::size_t index) {
                      RenderPicture(state, inputs[index], options.chain);
                      rendered[index] = SheetEntry{
                          FileNamePart(inputs[index]),
                          std::to_string(state.ImageWidth) + " x " + std::to_string(state.ImageHeight),
                          MakeThumbnail(GreyFromBitmap(state), options.thumbSize)};
                  },
                  progress);
    progress.Finish();

    std::vector<SheetEntry> entries;
    for (auto& entry : rendered)
        if (entry) entries.push_back(std::move(*entry));
    if (entries.empty()) return kExitFailed;

    try {
        const ContactSheet sheet = ComposeContactSheet(entries, options.thumbSize);
        WriteFileAtomically(options.sheet, [&](std::FILE* file) { WriteGreyPng(file, sheet.image, options.pngLevel); });
    } catch (const std::exception& e) {
        std::fprintf(io.err, "%s: %s\n", options.sheet.c_str(), e.what());
        return kExitFailed;
    }
    return progress.failed() ? kExitFailed : kExitOk;
}

}  // namespace orbalux::cli
