// The browser's Region and Profile windows follow a drag: the statistics of a
// whole 1024 x 1504 picture and a 1,500-sample profile, each well under the
// 2 ms a frame of the drag may take.
#include <benchmark/benchmark.h>

#include <vector>

#include "intake/catalogue.h"
#include "load/load_sequence.h"
#include "processing/measurements.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"

namespace {

using namespace orbalux;
namespace enc = orbalux::encoder;

// The largest frame loaded from encoder-built bytes, two lines lost.
const PictureState& LargestPicture(const DisplayOptions& options) {
    static PictureState state;
    static bool loaded = false;
    if (!loaded) {
        enc::PictureFilePlan plan;
        plan.lineFormat = 1023;
        plan.picture = enc::RenderScene({.width = 1023, .height = 1503, .seed = 5});
        plan.dataOffset = LookUpCatalogue("69_301.009").dataOffset;
        plan.header.records = plan.dataOffset >= 964 ? 2 : plan.dataOffset >= 482 ? 1 : 0;
        plan.defects = {{.line = 400, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent},
                        {.line = 900, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
        const std::vector<std::uint8_t> bytes = enc::BuildPictureFile(plan).bytes;
        SetOpenDespeckleGeometry(state);
        LoadPictureBytes(state, bytes, "69_301.009");
        loaded = true;
    }
    ReprocessPicture(state, [&](PictureState& s) { s.ActiveOptions = options; });
    return state;
}

void BM_WholePictureStatistics(benchmark::State& bench, DisplayOptions options) {
    const PictureState& state = LargestPicture(options);
    const MeasuredPicture picture = MeasuredPictureOf(state, true);
    for (auto _ : bench) {
        RegionStatistics stats = MeasureRegion(picture, {0, 0, state.ImageWidth, state.ImageHeight});
        benchmark::DoNotOptimize(stats);
    }
}
BENCHMARK_CAPTURE(BM_WholePictureStatistics, plain, DisplayOptions{})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholePictureStatistics, rotated, DisplayOptions{.Rotate = 1})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholePictureStatistics, half, DisplayOptions{.MinimizeHalf = 1})->Unit(benchmark::kMicrosecond);

void BM_Profile1500(benchmark::State& bench) {
    const PictureState& state = LargestPicture({});
    const MeasuredPicture picture = MeasuredPictureOf(state, true);
    for (auto _ : bench) {
        std::vector<ProfileSample> samples = MeasureProfile(picture, {10, 0}, {900, 1499});  // 1,500 samples
        benchmark::DoNotOptimize(samples.data());
    }
}
BENCHMARK(BM_Profile1500)->Unit(benchmark::kMicrosecond);

}  // namespace
