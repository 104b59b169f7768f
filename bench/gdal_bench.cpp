// The MARINER67 driver as a Python or QGIS session uses it: GDALOpen of a
// picture file and a read of its whole band, in one process, many times over.
// Open stays cheap only while the load keeps its buffers and nothing heavier
// than the picture is made per dataset.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <unistd.h>

#include <cpl_conv.h>
#include <gdal.h>

#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"
#include "tools/scratch/scratch_folder.h"

extern "C" void GDALRegister_MARINER67();

namespace {

namespace enc = orbalux::encoder;

// A picture file of the 1023-line format (1024 x 1504) under the name the
// catalogue lists for it, in a folder of its own.
class ScratchPicture {
public:
    ScratchPicture() : path_(folder_ / "69_301.009") {
        const enc::LineLayout& layout = enc::LineLayoutFor(1023);
        orbalux::GreyImage scene =
            enc::RenderScene({.width = layout.PixelsPerLine(), .height = layout.linesPerFrame, .seed = 3});
        enc::WriteFile(path_, enc::EncodePicture(1023, scene, enc::HeaderPlan{.records = 0}));  // its lines begin at 0
    }
    const std::string& path() const { return path_; }

private:
    orbalux::test::ScratchFolder folder_;
    std::string path_;
};

long PageFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

void BM_GdalOpenRead(benchmark::State& bench) {
    const ScratchPicture file;
    const char* const drivers[] = {"MARINER67", nullptr};
    std::vector<std::uint8_t> pixels;
    auto openRead = [&] {
        GDALDatasetH dataset = GDALOpenEx(file.path().c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers,
                                          nullptr, nullptr);
        if (dataset == nullptr) {
            bench.SkipWithError("MARINER67 did not open the picture");
            return;
        }
        const int width = GDALGetRasterXSize(dataset), height = GDALGetRasterYSize(dataset);
        pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        if (GDALRasterIO(GDALGetRasterBand(dataset, 1), GF_Read, 0, 0, width, height, pixels.data(), width, height,
                         GDT_Byte, 0, 0) != CE_None)
            bench.SkipWithError("the band read failed");
        benchmark::DoNotOptimize(pixels.data());
        GDALClose(dataset);
    };
    openRead();
    openRead();
    const long faultsBefore = PageFaults();
    for (auto _ : bench) openRead();
    bench.counters["faults_per_open"] = benchmark::Counter(static_cast<double>(PageFaults() - faultsBefore) /
                                                           static_cast<double>(bench.iterations()));
}
BENCHMARK(BM_GdalOpenRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // This build's driver, never an installed plugin.
    CPLSetConfigOption("GDAL_DRIVER_PATH", "disable");
    GDALRegister_MARINER67();
    GDALAllRegister();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    GDALDestroyDriverManager();
    return 0;
}
