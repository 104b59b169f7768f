#include "cli/contact_sheet_command.h"

#include <optional>

#include "cli/contact_sheet.h"
#include "cli/conversion_plan.h"
#include "cli/convert_command.h"
#include "cli/interruption.h"
#include "cli/messages.h"
#include "cli/parallel_runner.h"
#include "cli/picture_texts.h"
#include "intake/picture_file.h"
#include "load/chain_settings.h"
#include "load/load_warnings.h"
#include "output/atomic_file.h"
#include "output/png_best_of.h"

namespace orbalux::cli {

int RunContactSheet(const ConvertOptions& options, const CommandStreams& io) {
    const InputList listed = InputFiles(options);
    const std::vector<std::string>& inputs = listed.files;
    CheckOutputFile(options.sheet, inputs);
    if (inputs.empty()) {
        for (const OrbaluxError& e : listed.unlisted) PrintMessage(io.err, e.file(), e.reason());
        if (listed.unlisted.empty()) PrintMessage(io.err, {}, "no picture files for the contact sheet");
        return kExitFailed;
    }

    std::vector<std::optional<SheetEntry>> rendered(inputs.size());
    ProgressReporter progress(io.err, inputs.size() + listed.unlisted.size(), io.errIsTerminal, options.quiet,
                              io.errColumns);
    ReportUnlisted(progress, listed.unlisted);
    RunInParallel(inputs, options.jobs,
                  [&](PictureState& state, std::size_t index) {
                      RenderPicture(state, inputs[index], options.chain, options.catalogueName);
                      rendered[index] = SheetEntry{
                          FileNamePart(inputs[index]),
                          std::to_string(state.ImageWidth) + " x " + std::to_string(state.ImageHeight),
                          MakeThumbnail(GreyFromBitmap(state), options.thumbSize)};
                      return LoadWarnings(state);
                  },
                  progress);
    if (InterruptionSignal()) {
        progress.Finish(true);
        return RunStatus(0, 0, options);
    }

    std::vector<SheetEntry> entries;
    std::vector<std::string> names;
    for (auto& entry : rendered)
        if (entry) {
            names.push_back(entry->name);
            entries.push_back(std::move(*entry));
        }
    if (entries.empty()) {
        progress.Finish();
        return kExitFailed;
    }

    // The sheet is the run's product: its failure is one of the summary's.
    try {
        const ContactSheet sheet = ComposeContactSheet(entries, options.thumbSize);
        const std::vector<PngText> texts = SheetTexts(names, options);
        WriteFileAtomically(options.sheet, [&](std::FILE* file) {
            WriteGreyPngBestOf(file, sheet.image, options.pngLevel, texts);
            StopIfInterrupted();
        });
    } catch (const Interrupted&) {
        progress.Finish(true);
        return RunStatus(0, 0, options);
    } catch (const std::exception& e) {
        const auto* error = dynamic_cast<const OrbaluxError*>(&e);
        progress.FailedBeyondFiles(options.sheet, error ? error->reason() : std::string(e.what()));
    }
    progress.Finish();
    return RunStatus(progress.failed(), progress.warned(), options);
}

}  // namespace orbalux::cli
