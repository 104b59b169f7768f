// The processing chain on full-size pictures: each stage alone, the whole
// chain with every option on, whole loads (read, decode, chain) from disk and
// browser steps (a load and the screen image), with their page faults.
// Run with --benchmark_repetitions=15 and compare medians: the machine is
// shared and noisy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <unistd.h>

#include "intake/catalogue.h"
#include "load/load_sequence.h"
#include "output/screen_image.h"
#include "intake/picture_file.h"
#include "processing/stages.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"
#include "tools/scratch/scratch_folder.h"

namespace {

using namespace orbalux;
namespace enc = orbalux::encoder;

orbalux::GreyImage Scene(int width, int height) {
    orbalux::GreyImage scene = enc::RenderScene({.width = width, .height = height, .seed = 3});
    enc::AddSpeckles(scene, width * height / 2000, 5);
    return scene;
}

constexpr DisplayOptions kEveryOption{1, 1, 1, 1, 1, 1, 1, 1};
// Every option with the picture's own stretches in the catalogue's place.
constexpr DisplayOptions kEveryOptionPercentile{0, 1, 1, 1, 1, 1, 1, 1, 1, 0};
constexpr DisplayOptions kEveryOptionEqualized{0, 1, 1, 1, 1, 1, 1, 1, 0, 1};

// A decoded W x H picture as a load leaves it, with the working buffers held.
PictureState DecodedState(int width, int height) {
    PictureState state;
    SetPictureGeometry(state, width, height);
    state.FrameStride = width;
    state.FrameLines = height;
    state.CatalogueName = "69_301.009";
    state.StretchGain = 1;
    state.StretchBlack = 2;
    state.HorizontalStretchOn = 1;
    state.ActiveOptions = kEveryOption;
    // Every row a line found within the file, the last column no sample.
    state.DecodedRows.rows.assign(static_cast<std::size_t>(height), RowKind::Line);
    state.DecodedRows.dataColumns = width - 1;
    const orbalux::GreyImage scene = Scene(width, height);
    std::copy(scene.pixels.begin(), scene.pixels.end(), state.DecodedImage.begin() + kPictureOrigin);
    AllocateWorkingBuffers(state);
    return state;
}

void RestoreDecoded(PictureState& state) {
    std::copy(state.DecodedImage.begin(), state.DecodedImage.end(), state.FileBuffer.begin());
}

// One stage on a fresh copy of the decoded picture each time; the copy is
// not timed.
void BM_Stage(benchmark::State& bench, void (*stage)(PictureState&), int width, int height,
              DisplayOptions options) {
    PictureState state = DecodedState(width, height);
    state.ActiveOptions = options;
    for (auto _ : bench) {
        bench.PauseTiming();
        RestoreDecoded(state);
        bench.ResumeTiming();
        stage(state);
        benchmark::DoNotOptimize(state.FileBuffer.data());
        benchmark::ClobberMemory();
    }
}

constexpr DisplayOptions kHalf{.MinimizeHalf = 1};
constexpr DisplayOptions kQuarter{.MinimizeHalf = 1, .MinimizeQuarter = 1};

BENCHMARK_CAPTURE(BM_Stage, ApplyHorizontalStretch_816x704, ApplyHorizontalStretch, 816, 704, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, FillSingleMissingLines_1024x1504, FillSingleMissingLines, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, ApplyFlipVertical_1024x1504, ApplyFlipVertical, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, ApplyRotate_1024x1504, ApplyRotate, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, DespeckleFirstPass_1024x1504, DespeckleFirstPass, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, ApplyToneMapping_1024x1504, ApplyToneMapping, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, ApplyToneMapping_1024x1504_percentile, ApplyToneMapping, 1024, 1504,
                  kEveryOptionPercentile);
BENCHMARK_CAPTURE(BM_Stage, ApplyToneMapping_948x704_percentile, ApplyToneMapping, 948, 704, kEveryOptionPercentile);
BENCHMARK_CAPTURE(BM_Stage, DespeckleSecondPass_1024x1504, DespeckleSecondPass, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, ApplyInvert_1024x1504, ApplyInvert, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, ApplyMinimize_1024x1504_half, ApplyMinimize, 1024, 1504, kHalf);
BENCHMARK_CAPTURE(BM_Stage, ApplyMinimize_1024x1504_quarter, ApplyMinimize, 1024, 1504, kQuarter);
BENCHMARK_CAPTURE(BM_Stage, WriteBitmapHeader_1024x1504, WriteBitmapHeader, 1024, 1504, kEveryOption);
BENCHMARK_CAPTURE(BM_Stage, WriteBitmapPixels_1024x1504, WriteBitmapPixels, 1024, 1504, kEveryOption);

// The chain alone, every option on.
void BM_Chain(benchmark::State& bench, int width, int height) {
    PictureState state = DecodedState(width, height);
    for (auto _ : bench) {
        bench.PauseTiming();
        RestoreDecoded(state);
        state.ContrastLevel = 0;
        bench.ResumeTiming();
        RunProcessingChain(state);
        benchmark::DoNotOptimize(state.BitmapBuffer.data());
    }
}
BENCHMARK_CAPTURE(BM_Chain, 1024x1504, 1024, 1504)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Chain, 948x704, 948, 704)->Unit(benchmark::kMillisecond);

// A tool-button click: fresh buffers, the decoded copy, the chain, release.
void BM_Reprocess(benchmark::State& bench, int width, int height) {
    PictureState state = DecodedState(width, height);
    ReleaseWorkingBuffers(state);
    for (auto _ : bench) {
        ReprocessPicture(state, [](PictureState&) {});
        benchmark::DoNotOptimize(state.BitmapBuffer.data());
    }
}
BENCHMARK_CAPTURE(BM_Reprocess, 1024x1504, 1024, 1504)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Reprocess, 948x704, 948, 704)->Unit(benchmark::kMillisecond);

// A picture file written once into a scratch folder, removed with it.
class ScratchFile {
public:
    ScratchFile(const std::string& name, int lineFormat, int records) : path_(folder_ / name) {
        const enc::LineLayout& layout = enc::LineLayoutFor(lineFormat);
        const orbalux::GreyImage scene = Scene(layout.PixelsPerLine(), layout.linesPerFrame);
        enc::HeaderPlan header;
        header.records = records;
        enc::WriteFile(path_, enc::EncodePicture(lineFormat, scene, header));
    }
    const std::string& path() const { return path_; }

private:
    orbalux::test::ScratchFolder folder_;
    std::string path_;
};

// Page faults taken by this process so far (minor and major).
long PageFaults() {
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// Runs `step` twice to fault the buffers in (the spare block reaches its
// size on the second), then times it and reports the
// page faults of the timed steps, per step: a steady-state step reuses every
// buffer and should take none.
template <typename Step>
void TimeSteps(benchmark::State& bench, Step step) {
    step();
    step();
    const long faultsBefore = PageFaults();
    for (auto _ : bench) step();
    bench.counters["faults_per_step"] =
        benchmark::Counter(static_cast<double>(PageFaults() - faultsBefore) / static_cast<double>(bench.iterations()));
}

// One whole load from disk with every option on, as Open and Next do it;
// the stretch the catalogue's (or the percentile stretch, or equalisation).
void BM_Load(benchmark::State& bench, const char* name, int lineFormat, int records,
             DisplayOptions options = kEveryOption) {
    const ScratchFile file(name, lineFormat, records);
    PictureState state;
    SetOpenDespeckleGeometry(state);
    state.MenuOptions = options;
    state.HorizontalStretchOn = 1;
    TimeSteps(bench, [&] {
        LoadPicture(state, file.path());
        benchmark::DoNotOptimize(state.BitmapBuffer.data());
    });
    bench.SetLabel(std::to_string(state.ImageWidth) + "x" + std::to_string(state.ImageHeight));
}
BENCHMARK_CAPTURE(BM_Load, 1023_format, "69_301.009", 1023, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, 945_format, "XX_000.001", 945, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, 1023_format_percentile, "69_301.009", 1023, 0, kEveryOptionPercentile)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, 945_format_percentile, "XX_000.001", 945, 2, kEveryOptionPercentile)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, 1023_format_equalized, "69_301.009", 1023, 0, kEveryOptionEqualized)
    ->Unit(benchmark::kMillisecond);

// One browser step: the load, then the screen image that the window draws,
// into the image it keeps.
void BM_Step(benchmark::State& bench, const char* name, int lineFormat, int records) {
    const ScratchFile file(name, lineFormat, records);
    PictureState state;
    SetOpenDespeckleGeometry(state);
    state.MenuOptions = kEveryOption;
    state.HorizontalStretchOn = 1;
    std::vector<std::uint8_t> screen;
    TimeSteps(bench, [&] {
        LoadPicture(state, file.path());
        screen.resize(4 * static_cast<std::size_t>(state.ImageWidth) * static_cast<std::size_t>(state.ImageHeight));
        WriteScreenImage(state, screen.data(), 4 * static_cast<std::ptrdiff_t>(state.ImageWidth));
        benchmark::DoNotOptimize(screen.data());
    });
    bench.SetLabel(std::to_string(state.ImageWidth) + "x" + std::to_string(state.ImageHeight));
}
BENCHMARK_CAPTURE(BM_Step, 1023_format, "69_301.009", 1023, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Step, 945_format, "XX_000.001", 945, 2)->Unit(benchmark::kMillisecond);

// The decode alone (catalogue, header and frame decoder) of a file already in
// FileBuffer: the cost of a load before the chain runs.
void BM_Decode(benchmark::State& bench, const char* name, int lineFormat, int records) {
    const ScratchFile file(name, lineFormat, records);
    PictureState state;
    SetOpenDespeckleGeometry(state);
    ReadPictureFile(state, file.path());
    const std::vector<std::uint8_t> bytes = state.FileBuffer;
    state.CatalogueName = name;
    for (auto _ : bench) {
        std::copy(bytes.begin(), bytes.end(), state.FileBuffer.begin());
        SelectFileParameters(state);
        benchmark::DoNotOptimize(state.DecodedImage.data());
    }
    bench.SetLabel(std::to_string(state.ImageWidth) + "x" + std::to_string(state.ImageHeight));
}
BENCHMARK_CAPTURE(BM_Decode, 1023_format, "69_301.009", 1023, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, 945_format, "XX_000.001", 945, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
