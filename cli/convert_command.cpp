#include "cli/convert_command.h"

#include <filesystem>
#include <system_error>

#include "cli/conversion_plan.h"
#include "cli/parallel_runner.h"
#include "cli/picture_info.h"
#include "output/picture_writer.h"
#include "load/chain_settings.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {

int RunConversion(const ConvertOptions& options, const CommandStreams& io) {
    const ConversionPlan plan = PlanConversion(options);
    if (plan.tasks.empty()) {
        std::fprintf(io.err, "no picture files to convert\n");
        return kExitFailed;
    }
    if (!plan.outputFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(plan.outputFolder, ec);
        if (ec) {
            std::fprintf(io.err, "%s: %s\n", plan.outputFolder.c_str(), ec.message().c_str());
            return kExitFailed;
        }
    }

    std::vector<std::string> names;
    names.reserve(plan.tasks.size());
    for (const ConversionTask& task : plan.tasks) names.push_back(task.input);

    ProgressReporter progress(io.err, names.size(), io.errIsTerminal, options.quiet);
    RunInParallel(names, options.jobs,
                  [&](PictureState& state, std::size_t index) {
                      const ConversionTask& task = plan.tasks[index];
                      RenderPicture(state, task.input, options.chain);
                      WritePictureFile(state, task.output, plan.format, options.pngLevel);
                  },
                  progress);
    progress.Finish();
    return progress.failed() ? kExitFailed : kExitOk;
}

int RunInfo(const ConvertOptions& options, const CommandStreams& io) {
    const std::vector<std::string> inputs = ExpandInputs(options.inputs);
    if (inputs.empty()) {
        std::fprintf(io.err, "no picture files to describe\n");
        return kExitFailed;
    }
    int status = kExitOk;
    PictureState state;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        try {
            RenderPicture(state, inputs[i], options.chain);
            if (i > 0) std::fputc('\n', io.out);
            std::fputs(FormatPictureInfo(state).c_str(), io.out);
        } catch (const OrbaluxError& e) {
            std::fprintf(io.err, "%s: %s\n", inputs[i].c_str(), e.reason().c_str());
            status = kExitFailed;
        } catch (const std::exception& e) {
            std::fprintf(io.err, "%s: %s\n", inputs[i].c_str(), e.what());
            status = kExitFailed;
        }
    }
    return status;
}

}  // namespace orbalux::cli
