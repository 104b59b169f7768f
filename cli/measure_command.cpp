// --stats and --profile: the picture rendered as the browser would show it,
// then measured where the command line says, in shown pixels.
#include "cli/measure_command.h"

#include <cstdio>
#include <string>

#include "cli/messages.h"
#include "load/chain_settings.h"
#include "load/load_warnings.h"

namespace orbalux::cli {
namespace {

std::string SizeText(const PictureState& state) {
    return std::to_string(state.ImageWidth) + " x " + std::to_string(state.ImageHeight);
}

}  // namespace

RegionStatistics StatisticsFor(const ConvertOptions& options, const PictureState& state) {
    const Region whole{0, 0, state.ImageWidth, state.ImageHeight};
    const Region region = options.statsRegion.value_or(whole);
    const MeasuredPicture picture = MeasuredPictureOf(state, !options.chain.original);
    if (ClipRegion(region, picture.geometry) != region)
        throw UsageError("--stats: " + RegionText(region) + " does not lie inside the picture (" + SizeText(state) +
                         ")");
    return MeasureRegion(picture, region);
}

int RunProfile(const ConvertOptions& options, const CommandStreams& io) {
    const std::string& input = options.inputs.front();
    PictureState state;
    try {
        RenderPicture(state, input, options.chain, options.catalogueName);
    } catch (const OrbaluxError& e) {
        PrintMessage(io.err, e.file().empty() ? input : e.file(), e.reason());
        return kExitFailed;
    }
    const auto& p = options.profile;
    const MeasuredPicture picture = MeasuredPictureOf(state, !options.chain.original);
    const auto inside = [&](int column, int row) { return column < state.ImageWidth && row < state.ImageHeight; };
    if (!inside(p[0], p[1]) || !inside(p[2], p[3]))
        throw UsageError("--profile: " + std::to_string(p[0]) + "," + std::to_string(p[1]) + "," +
                         std::to_string(p[2]) + "," + std::to_string(p[3]) + " leaves the picture (" + SizeText(state) +
                         ": columns 0.." + std::to_string(state.ImageWidth - 1) + ", rows 0.." +
                         std::to_string(state.ImageHeight - 1) + ")");
    const std::vector<std::string> warnings = LoadWarnings(state);
    for (const std::string& warning : warnings) PrintMessage(io.err, input, "warning: " + warning);
    const std::string csv = ProfileText(MeasureProfile(picture, {p[0], p[1]}, {p[2], p[3]}));
    std::fputs(csv.c_str(), io.out);
    if (std::fflush(io.out) != 0 || std::ferror(io.out)) {
        PrintMessage(io.err, "standard output", "cannot write");
        return kExitFailed;
    }
    return RunStatus(0, warnings.empty() ? 0 : 1, options);
}

}  // namespace orbalux::cli
